#include "kelp_forge/graphics/implementation/kfi_gif_picture_queue.hpp"

#include <utility>

namespace kfImplementation
{

GifPictureQueue::Picture GifPictureQueue::TakeSpareBuffer()
{
    const std::lock_guard lock(mMutex);
    if (mSpares.empty())
    {
        return {};
    }
    Picture spare = std::move(mSpares.back());
    mSpares.pop_back();
    return spare;
}

void GifPictureQueue::Push(Picture picture)
{
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [this] { return mPictures.size() < mCapacity; });
    mPictures.push_back(std::move(picture));
    mChanged.notify_all();
}

void GifPictureQueue::Close()
{
    const std::lock_guard lock(mMutex);
    mIsClosed = true;
    mChanged.notify_all();
}

bool GifPictureQueue::Pop(Picture& picture)
{
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [this] { return !mPictures.empty() || mIsClosed; });
    if (mPictures.empty())
    {
        return false;
    }
    picture = std::move(mPictures.front());
    mPictures.pop_front();
    mChanged.notify_all();
    return true;
}

void GifPictureQueue::ReturnSpareBuffer(Picture buffer)
{
    const std::lock_guard lock(mMutex);
    // More spares than the queue can hold would never be taken.
    if (mSpares.size() < mCapacity)
    {
        mSpares.push_back(std::move(buffer));
    }
}

} // namespace kfImplementation
