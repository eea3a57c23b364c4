// CSkinDrawImage: the picture object of every skin image.
//
// This holds the picture's data only: either a decoded picture (PNG, JPEG,
// icon) with its format, or the undecoded bytes of a BMP file, which are
// turned into a colour-keyed bitmap when the image is first drawn. The
// drawing operations live with the Win32 drawing code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "image/picture.h"

class CSkinDrawImage {
public:
    // Type codes of the image's source file.
    enum Type { kTypeBmp = 1, kTypePng = 2, kTypeGif = 3, kTypeJpg = 4, kTypeIco = 5 };

    CSkinDrawImage() = default;
    virtual ~CSkinDrawImage() = default;
    CSkinDrawImage(const CSkinDrawImage&) = delete;
    CSkinDrawImage& operator=(const CSkinDrawImage&) = delete;

    // An undecoded BMP file: keeps its own copy of [bytes, bytes + size).
    static std::unique_ptr<CSkinDrawImage> FromBitmapFile(const uint8_t* bytes, size_t size);
    // A decoded picture of the given type code.
    static std::unique_ptr<CSkinDrawImage> FromPicture(tovane::Picture picture, int type);

    int GetType() const { return type_; }
    bool IsBitmapFile() const { return type_ == kTypeBmp; }
    // The BMP file's bytes (empty for decoded pictures).
    const std::vector<uint8_t>& FileBytes() const { return fileBytes_; }
    // The decoded picture (empty for BMP files and for blocks that did not decode).
    const tovane::Picture& GetPicture() const { return picture_; }
    tovane::Picture& GetPicture() { return picture_; }

    // Size of the decoded picture; BMP files report the size in their header
    // (0 when the header is unreadable).
    int GetWidth() const;
    int GetHeight() const;

    // Bitmap files only (set by the theme's image items): whether the
    // theme's colour shift applies to the picture, and its transparent
    // colour (0x00BBGGRR, magenta by default).
    bool GetAdjustColors() const { return adjustColors_; }
    void SetAdjustColors(bool adjust) { adjustColors_ = adjust; }
    uint32_t GetTransparentColor() const { return transparentColor_; }
    void SetTransparentColor(uint32_t color) { transparentColor_ = color; }

protected:
    bool adjustColors_ = true;
    uint32_t transparentColor_ = 0x00FF00FF;
    int type_ = kTypeBmp;
    std::vector<uint8_t> fileBytes_;
    tovane::Picture picture_;
};
