#include "gifwriter.h"

#include <algorithm>
#include <cstring>

namespace b2b::server {

namespace {

constexpr int kR = 6, kG = 7, kB = 6; // 252 colours

int paletteIndex(QRgb c) {
    const int r = (qRed(c) * (kR - 1) + 127) / 255;
    const int g = (qGreen(c) * (kG - 1) + 127) / 255;
    const int b = (qBlue(c) * (kB - 1) + 127) / 255;
    return (r * kG + g) * kB + b;
}

void put16(QByteArray &out, int v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

class BitWriter {
public:
    explicit BitWriter(QByteArray &out) : out_(out) {}
    void write(int code, int bits) {
        acc_ |= uint32_t(code) << nbits_;
        nbits_ += bits;
        while (nbits_ >= 8) {
            byte(char(acc_ & 0xFF));
            acc_ >>= 8;
            nbits_ -= 8;
        }
    }
    void finish() {
        if (nbits_ > 0) byte(char(acc_ & 0xFF));
        flushBlock();
        out_.append(char(0)); // block terminator
    }

private:
    void byte(char b) {
        block_[blockLen_++] = b;
        if (blockLen_ == 255) flushBlock();
    }
    void flushBlock() {
        if (blockLen_ == 0) return;
        out_.append(char(blockLen_));
        out_.append(block_, blockLen_);
        blockLen_ = 0;
    }
    QByteArray &out_;
    uint32_t acc_ = 0;
    int nbits_ = 0;
    char block_[255];
    int blockLen_ = 0;
};

void lzwEncode(QByteArray &out, const std::vector<uint8_t> &pixels) {
    constexpr int kMinCodeSize = 8;
    constexpr int kClear = 1 << kMinCodeSize;
    constexpr int kEnd = kClear + 1;
    out.append(char(kMinCodeSize));
    BitWriter bw(out);
    // next[code * 256 + byte] = code of the extended string, 0 when absent.
    std::vector<uint16_t> next(4096 * 256, 0);
    int codeSize = kMinCodeSize + 1;
    int maxCode = kEnd;
    bw.write(kClear, codeSize);
    if (pixels.empty()) {
        bw.write(kEnd, codeSize);
        bw.finish();
        return;
    }
    int cur = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
        const int p = pixels[i];
        const uint16_t n = next[size_t(cur) * 256 + size_t(p)];
        if (n) {
            cur = n;
            continue;
        }
        bw.write(cur, codeSize);
        next[size_t(cur) * 256 + size_t(p)] = uint16_t(++maxCode);
        if (maxCode >= (1 << codeSize) && codeSize < 12) ++codeSize;
        if (maxCode == 4095) {
            bw.write(kClear, codeSize);
            std::fill(next.begin(), next.end(), 0);
            codeSize = kMinCodeSize + 1;
            maxCode = kEnd;
        }
        cur = p;
    }
    bw.write(cur, codeSize);
    bw.write(kEnd, codeSize);
    bw.finish();
}

} // namespace

QByteArray encodeAnimatedGif(const std::vector<QImage> &frames, int delayCs) {
    QByteArray out;
    if (frames.empty()) return out;
    const int w = frames.front().width(), h = frames.front().height();
    out.append("GIF89a", 6);
    put16(out, w);
    put16(out, h);
    out.append(char(0xF7)); // global colour table of 256 entries, 8 bits per primary
    out.append(char(0));    // background colour
    out.append(char(0));    // square pixels
    for (int i = 0; i < 256; ++i) {
        int r = 0, g = 0, b = 0;
        if (i < kR * kG * kB) {
            r = (i / (kG * kB)) * 255 / (kR - 1);
            g = ((i / kB) % kG) * 255 / (kG - 1);
            b = (i % kB) * 255 / (kB - 1);
        }
        out.append(char(r));
        out.append(char(g));
        out.append(char(b));
    }
    // Loop for ever.
    out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (const QImage &src : frames) {
        const QImage img = src.convertToFormat(QImage::Format_RGB32).scaled(w, h);
        out.append("\x21\xF9\x04", 3);
        out.append(char(1 << 2)); // leave the frame in place
        put16(out, std::max(1, delayCs));
        out.append(char(0));
        out.append(char(0));
        out.append(char(0x2C));
        put16(out, 0);
        put16(out, 0);
        put16(out, w);
        put16(out, h);
        out.append(char(0));
        std::vector<uint8_t> px(size_t(w) * size_t(h));
        for (int y = 0; y < h; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < w; ++x) px[size_t(y) * size_t(w) + size_t(x)] = uint8_t(paletteIndex(line[x]));
        }
        lzwEncode(out, px);
    }
    out.append(char(0x3B));
    return out;
}

} // namespace b2b::server
