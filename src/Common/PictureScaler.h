#pragma once

// Converts a decoded picture into a packed output picture, scaling it on the way when the
// output has another size: one libswscale pass, its context kept for the next picture.

#include <cstddef>

extern "C" {
#include <libavutil/pixfmt.h>
}

struct SwsContext;

class CPictureScaler {
public:
    CPictureScaler() = default;
    ~CPictureScaler();
    CPictureScaler(const CPictureScaler&) = delete;
    CPictureScaler& operator=(const CPictureScaler&) = delete;

    // Writes the width x height picture of the given planes into output, outWidth x outHeight
    // pixels of format with rows outStride bytes apart. False when a size is not positive,
    // the output does not fit in capacity, or libswscale refused.
    bool scale(const unsigned char* const planes[4], const int strides[4], int width, int height,
               AVPixelFormat source, unsigned char* output, size_t capacity, int outWidth, int outHeight,
               int outStride, AVPixelFormat format);

    // Row length for a packed picture of this width: whole 64-byte blocks, as the vector
    // code of libswscale writes them fastest.
    static int AlignedStride(AVPixelFormat format, int width);

private:
    SwsContext* m_context = nullptr;
};
