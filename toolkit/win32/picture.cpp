// PNG decoding through WIC and drawing of premultiplied pixels through a DIB section.
#include "toolkit/win32/picture.h"

#include "platform/error.h"
#include "platform/win32/wide.h"
#include "toolkit/win32/handles.h"

#include <wincodec.h>

#include <cstring>
#include <string>

namespace t2k {

namespace {

void check(HRESULT result, std::u16string_view what) {
    if (FAILED(result)) {
        throw Error(u"Cannot load the picture " + std::u16string(what));
    }
}

std::basic_string_view<BYTE> resource_bytes(std::u16string_view name) {
    const std::u16string name_z(name);
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, wide(name_z), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        throw Error(u"Missing picture " + name_z);
    }
    return {static_cast<const BYTE*>(data), SizeofResource(module, found)};
}

} // namespace

PixelBuffer load_png_resource(std::u16string_view name, int width, int height) {
    const auto bytes = resource_bytes(name);
    ComPtr<IWICImagingFactory> factory;
    check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, factory.put_void()),
          name);
    ComPtr<IWICStream> stream;
    check(factory->CreateStream(stream.put()), name);
    check(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size())),
          name);
    ComPtr<IWICBitmapDecoder> decoder;
    check(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                           decoder.put()),
          name);
    ComPtr<IWICBitmapFrameDecode> frame;
    check(decoder->GetFrame(0, frame.put()), name);
    ComPtr<IWICFormatConverter> converter;
    check(factory->CreateFormatConverter(converter.put()), name);
    check(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                nullptr, 0.0, WICBitmapPaletteTypeCustom),
          name);

    IWICBitmapSource* source = converter.get();
    ComPtr<IWICBitmapScaler> scaler;
    if (width > 0 && height > 0) {
        check(factory->CreateBitmapScaler(scaler.put()), name);
        check(scaler->Initialize(converter.get(), static_cast<UINT>(width),
                                 static_cast<UINT>(height), WICBitmapInterpolationModeFant),
              name);
        source = scaler.get();
    }
    UINT source_width = 0, source_height = 0;
    check(source->GetSize(&source_width, &source_height), name);
    PixelBuffer pixels(static_cast<int>(source_width), static_cast<int>(source_height));
    const UINT stride = source_width * sizeof(Pixel);
    check(source->CopyPixels(nullptr, stride, stride * source_height,
                             reinterpret_cast<BYTE*>(&pixels.at(0, 0))),
          name);
    return pixels;
}

void draw_pixels(HDC dc, const PixelBuffer& pixels, int x, int y) {
    if (pixels.width() == 0 || pixels.height() == 0) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width();
    info.bmiHeader.biHeight = -pixels.height(); // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc memory(CreateCompatibleDC(dc));
    if (!bitmap || !memory) {
        return;
    }
    std::memcpy(bits, pixels.data(),
                static_cast<std::size_t>(pixels.width()) * pixels.height() * sizeof(Pixel));
    SelectedObject selection(memory.get(), bitmap.get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, x, y, pixels.width(), pixels.height(), memory.get(), 0, 0, pixels.width(),
                  pixels.height(), blend);
}

} // namespace t2k
