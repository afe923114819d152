// Memory canvases for the Win32 page tests.
#include "gdi_canvas.h"

GdiCanvas::GdiCanvas(int width, int height) : width_(width), height_(height)
{
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    Fill(RGB(255, 255, 255));
}

GdiCanvas::~GdiCanvas()
{
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF GdiCanvas::At(int x, int y) const
{
    GdiFlush();
    const uint32_t p = bits_[size_t(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void GdiCanvas::Fill(COLORREF colour)
{
    GdiFlush();
    const uint32_t p = uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 |
                       GetBValue(colour);
    for (size_t i = 0; i < size_t(width_) * height_; ++i) bits_[i] = p;
}

std::vector<COLORREF> GdiCanvas::Snapshot() const
{
    std::vector<COLORREF> pixels;
    pixels.reserve(size_t(width_) * height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) pixels.push_back(At(x, y));
    return pixels;
}

bool GdiCanvas::Save(const std::wstring& path) const
{
    GdiFlush();
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width_;
    header.biHeight = -height_;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const DWORD pixelBytes = DWORD(width_) * height_ * 4;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + pixelBytes;
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
              WriteFile(out, &header, sizeof header, &written, nullptr) &&
              WriteFile(out, bits_, pixelBytes, &written, nullptr) && written == pixelBytes;
    CloseHandle(out);
    return ok;
}
