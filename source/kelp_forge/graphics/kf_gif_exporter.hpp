#ifndef KELP_FORGE_GRAPHICS_GIF_EXPORTER_HPP
#define KELP_FORGE_GRAPHICS_GIF_EXPORTER_HPP

// Records the window as an animated GIF file at 15 pictures a second. A recording is written to
// the working directory as "<local date>_<local time>_screencap.gif" (a "_2", "_3", ... before the
// extension when a file of that name already exists: a capture never overwrites a file), and
// encoded by a worker thread while the game runs, so that only a few raw pictures are ever held.

#include <cstdint>

namespace KelpForge::Graphics
{

// Size of the pictures in the file.
enum GifCaptureSize : std::int32_t
{
    kGifCaptureFullSize = 0, // the window size
    kGifCaptureHalfSize = 1, // half the window size in each direction, rounded down
};

// Call once per frame on the main thread with the OpenGL context current. toggleCapture starts a
// recording (first waiting for the file of the previous one to be complete) or stops it; while
// recording, a picture of the window is taken every 1/15 s of deltaTime (seconds), at most one per
// call. outputSize is read when a recording starts; an unknown value is reported and the size of
// the previous recording is kept.
void UpdateGifCapture(float deltaTime, bool toggleCapture, const GifCaptureSize& outputSize);

// Stops a recording in progress and waits until the worker has completed its file. Call at
// shutdown so that no capture is lost or truncated; needs no OpenGL context. Nothing when idle.
void FinishGifCapture();

} // namespace KelpForge::Graphics

#endif
