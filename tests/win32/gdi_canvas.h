// A memory device with a 32-bit top-down bitmap selected, for checking what
// the page draws pixel by pixel and for saving it as a picture.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class GdiCanvas {
public:
    GdiCanvas(int width, int height);
    ~GdiCanvas();
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // The pixel as a colour value (0x00BBGGRR); GDI's drawing is flushed first.
    COLORREF At(int x, int y) const;
    void Fill(COLORREF colour);
    std::vector<COLORREF> Snapshot() const;
    // Writes a 32-bit BMP file.
    bool Save(const std::wstring& path) const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;  // 0x00RRGGBB per pixel, rows top down
    int width_, height_;
};

inline int Red(COLORREF c) { return GetRValue(c); }
inline int Green(COLORREF c) { return GetGValue(c); }
inline int Blue(COLORREF c) { return GetBValue(c); }
