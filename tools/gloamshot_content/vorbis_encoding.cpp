#include "vorbis_encoding.hpp"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstddef>
#include <utility>

namespace Gloamshot::Content
{
namespace
{

constexpr int kChunkSamples = 1024;

void AppendPage(std::vector<unsigned char>& bytes, const ogg_page& page)
{
    bytes.insert(bytes.end(), page.header, page.header + page.header_len);
    bytes.insert(bytes.end(), page.body, page.body + page.body_len);
}

// The libvorbis and libogg state of one encoding, released in every case.
class Encoder
{
public:
    Encoder() { vorbis_info_init(&mInfo); }
    ~Encoder()
    {
        if (mIsStreamReady)
        {
            ogg_stream_clear(&mStream);
            vorbis_block_clear(&mBlock);
            vorbis_dsp_clear(&mState);
            vorbis_comment_clear(&mComment);
        }
        vorbis_info_clear(&mInfo);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    bool Start(int serialNumber, float quality)
    {
        if (vorbis_encode_init_vbr(&mInfo, 1, kSampleRate, quality) != 0)
        {
            return false;
        }
        vorbis_comment_init(&mComment);
        vorbis_analysis_init(&mState, &mInfo);
        vorbis_block_init(&mState, &mBlock);
        ogg_stream_init(&mStream, serialNumber);
        mIsStreamReady = true;

        ogg_packet identification;
        ogg_packet comments;
        ogg_packet codebooks;
        vorbis_analysis_headerout(&mState, &mComment, &identification, &comments, &codebooks);
        ogg_stream_packetin(&mStream, &identification);
        ogg_stream_packetin(&mStream, &comments);
        ogg_stream_packetin(&mStream, &codebooks);
        // The headers end on a page of their own, as players expect.
        ogg_page page;
        while (ogg_stream_flush(&mStream, &page) != 0)
        {
            AppendPage(mBytes, page);
        }
        return true;
    }

    // A count of 0 marks the end of the stream.
    void Write(const double* samples, int count)
    {
        if (count > 0)
        {
            float** buffer = vorbis_analysis_buffer(&mState, count);
            for (int index = 0; index < count; ++index)
            {
                buffer[0][index] = static_cast<float>(samples[index]);
            }
        }
        vorbis_analysis_wrote(&mState, count);
        while (vorbis_analysis_blockout(&mState, &mBlock) == 1)
        {
            vorbis_analysis(&mBlock, nullptr);
            vorbis_bitrate_addblock(&mBlock);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&mState, &packet) != 0)
            {
                ogg_stream_packetin(&mStream, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&mStream, &page) != 0)
                {
                    AppendPage(mBytes, page);
                }
            }
        }
    }

    std::vector<unsigned char> Finish()
    {
        Write(nullptr, 0);
        ogg_page page;
        while (ogg_stream_flush(&mStream, &page) != 0)
        {
            AppendPage(mBytes, page);
        }
        return std::move(mBytes);
    }

private:
    vorbis_info mInfo{};
    vorbis_comment mComment{};
    vorbis_dsp_state mState{};
    vorbis_block mBlock{};
    ogg_stream_state mStream{};
    bool mIsStreamReady = false;
    std::vector<unsigned char> mBytes;
};

} // namespace

std::vector<unsigned char> EncodeOggVorbis(const Samples& samples, int serialNumber, float quality)
{
    Encoder encoder;
    if (!encoder.Start(serialNumber, quality))
    {
        return {};
    }
    for (std::size_t start = 0; start < samples.size(); start += kChunkSamples)
    {
        encoder.Write(&samples[start],
                      static_cast<int>(std::min<std::size_t>(kChunkSamples, samples.size() - start)));
    }
    return encoder.Finish();
}

} // namespace Gloamshot::Content
