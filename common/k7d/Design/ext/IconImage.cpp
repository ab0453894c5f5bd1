#include "IconImage.h"

#include <png.h>

#include <cstring>
#include <utility>

#include "Log.h"

IconImage::IconImage(uint16_t number, uint16_t width, uint16_t height, std::vector<uint8_t> rgba)
    : m_number(number), m_width(width), m_height(height), m_rgba(std::move(rgba)) {}

bool IconImage::readPng(uint16_t number, const std::string& path) {
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        K7D_LOG_ERROR("icon image not readable:", path, image.message);
        return false;
    }
    if (image.width == 0 || image.height == 0 || image.width > MAX_SIDE || image.height > MAX_SIDE) {
        K7D_LOG_ERROR("icon image size refused:", path, image.width, image.height);
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        K7D_LOG_ERROR("icon image not decodable:", path, image.message);
        png_image_free(&image);
        return false;
    }
    m_number = number;
    m_width = static_cast<uint16_t>(image.width);
    m_height = static_cast<uint16_t>(image.height);
    m_rgba = std::move(pixels);
    return true;
}
