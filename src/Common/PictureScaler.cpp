#include "PictureScaler.h"

#include <climits>

extern "C" {
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

CPictureScaler::~CPictureScaler() { sws_freeContext(m_context); }

int CPictureScaler::AlignedStride(AVPixelFormat format, int width)
{
    const int bytes = av_image_get_linesize(format, width, 0);
    if (bytes <= 0 || bytes > INT_MAX - 63)
        return 0;
    return (bytes + 63) / 64 * 64;
}

bool CPictureScaler::scale(const unsigned char* const planes[4], const int strides[4], int width,
                           int height, AVPixelFormat source, unsigned char* output, size_t capacity,
                           int outWidth, int outHeight, int outStride, AVPixelFormat format)
{
    if (!output || width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0)
        return false;
    const int rowBytes = av_image_get_linesize(format, outWidth, 0);
    if (rowBytes <= 0 || outStride < rowBytes ||
        static_cast<size_t>(outStride) * static_cast<size_t>(outHeight) > capacity)
        return false;
    // Same size: only the pixel format changes. Smaller: bilinear takes every source pixel
    // into account (the fast variant skips rows and columns and shimmers).
    const bool sameSize = width == outWidth && height == outHeight;
    m_context = sws_getCachedContext(m_context, width, height, source, outWidth, outHeight, format,
                                     sameSize ? SWS_FAST_BILINEAR : SWS_BILINEAR, nullptr, nullptr,
                                     nullptr);
    if (!m_context)
        return false;
    unsigned char* dst[4] = {output, nullptr, nullptr, nullptr};
    const int dstStrides[4] = {outStride, 0, 0, 0};
    return sws_scale(m_context, planes, strides, 0, height, dst, dstStrides) == outHeight;
}
