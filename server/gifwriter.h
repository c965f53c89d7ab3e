#pragma once
// A small animated-GIF encoder (Qt reads GIF but cannot write it): a fixed 6x7x6 colour cube,
// LZW-compressed frames, looping forever.

#include <QByteArray>
#include <QImage>
#include <vector>

namespace b2b::server {

// All frames must have the same size. delayCs is the time each frame stays, in 1/100 s.
QByteArray encodeAnimatedGif(const std::vector<QImage> &frames, int delayCs);

} // namespace b2b::server
