#ifndef KELP_FORGE_GRAPHICS_GIF_PICTURE_QUEUE_HPP
#define KELP_FORGE_GRAPHICS_GIF_PICTURE_QUEUE_HPP

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace kfImplementation
{

// Hands raw pictures from the thread that takes them to the thread that writes them. It holds at
// most its capacity of pictures: a full queue makes the taker wait, so a writer that falls behind
// slows the taker down instead of filling memory. Written pictures come back as spare buffers for
// the next pictures, so a long recording allocates nothing after its first few pictures.
class GifPictureQueue
{
public:
    using Picture = std::vector<std::uint8_t>;

    explicit GifPictureQueue(std::size_t capacity) : mCapacity(capacity) {}

    // Taking side. A spare buffer of some earlier picture, or an empty one.
    [[nodiscard]] Picture TakeSpareBuffer();
    // Waits while the queue is full.
    void Push(Picture picture);
    // No more pictures will come: the writing side drains the queue and then stops.
    void Close();

    // Writing side. Waits for the next picture; false once the queue is closed and empty.
    [[nodiscard]] bool Pop(Picture& picture);
    void ReturnSpareBuffer(Picture buffer);

private:
    std::mutex mMutex;
    std::condition_variable mChanged;
    std::deque<Picture> mPictures;
    std::vector<Picture> mSpares;
    std::size_t mCapacity;
    bool mIsClosed = false;
};

} // namespace kfImplementation

#endif
