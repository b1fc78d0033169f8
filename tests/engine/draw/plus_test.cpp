#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>
#include "engine/draw/colors.h"
#include "engine/draw/plus.h"
#include "engine/draw/tooltip_window.h"
#include "tests/engine/draw/plus_test_support.h"
#include "tests/support/win_helpers.h"

namespace {

using qz::ArgbColor;
using qz::ByteBuffer;
using qz::PlusBitmap;
using qz::PlusGraphics;
using qz::PlusImage;
using qztest::MakePng;

constexpr ArgbColor kGreen = 0xFF00FF00;
constexpr const char* kNoSuchFormat = "{01234567-89AB-CDEF-0123-456789ABCDEF}";

ArgbColor Pattern(int x, int y) {
    // Opaque and translucent pixels: PNG keeps straight (non-premultiplied) alpha as ARGB does.
    const ArgbColor colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FFFFFF,
                                 0xFF123456, 0x40102030, 0xFF000000, 0xC0FFFF00};
    return colours[(x + 3 * y) % 8];
}

TEST(PlusImageSaveToBytes, GivesPngBytesThatDecodeToTheSamePixels) {
    PlusBitmap source;
    qztest::PaintBitmap(source, 5, 3, Pattern);
    ByteBuffer png = source.SaveToBytes(qz::kPngFormat);
    ASSERT_TRUE(qztest::IsPng(png));

    PlusBitmap decoded;
    ASSERT_TRUE(decoded.LoadFromBytes(png));
    EXPECT_EQ(decoded.GetRawFormat(), qz::kPngFormat);
    ASSERT_EQ(decoded.GetWidth(), 5u);
    ASSERT_EQ(decoded.GetHeight(), 3u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(decoded.GetPixel(x, y), Pattern(x, y)) << x << "," << y;
}

TEST(PlusImageSaveToBytes, WithoutAFormatKeepsTheImagesOwnFormat) {
    PlusImage image;
    ASSERT_TRUE(image.LoadFromBytes(MakePng(4, 4, Pattern)));
    ByteBuffer again = image.SaveToBytes();
    EXPECT_TRUE(qztest::IsPng(again));
}

TEST(PlusImageSaveToBytes, AnUnknownFormatGivesNothingAndWritesNothing) {
    PlusBitmap bitmap;
    qztest::PaintBitmap(bitmap, 2, 2, Pattern);
    EXPECT_EQ(qz::FindEncoderClsid(kNoSuchFormat), "");
    EXPECT_FALSE(qz::FindEncoderClsid(qz::kPngFormat).empty());
    EXPECT_TRUE(bitmap.SaveToBytes(kNoSuchFormat).empty());

    qztest::TempDir dir;
    std::string file = dir.Join("out.img");
    EXPECT_FALSE(bitmap.SaveToFile(file, kNoSuchFormat));
    EXPECT_FALSE(qztest::PathExists(file));
    EXPECT_TRUE(bitmap.SaveToFile(file));
    PlusImage bmp;
    ASSERT_TRUE(bmp.LoadFromFile(file));
    EXPECT_EQ(bmp.GetRawFormat(), qz::kBmpFormat);
}

// A bitmap of one colour with a graphics on it, for drawing that must leave it alone.
struct GreenCanvas {
    GreenCanvas() {
        EXPECT_TRUE(bitmap.CreateEmpty(8, 8));
        EXPECT_TRUE(graphics.FromImage(bitmap));
        EXPECT_TRUE(graphics.Clear(kGreen));
    }
    bool Untouched() {
        graphics.Delete();
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (bitmap.GetPixel(x, y) != kGreen) return false;
        return true;
    }
    PlusBitmap bitmap;
    PlusGraphics graphics;
};

TEST(PlusImageLoadFromBytes, CorruptOrEmptyBytesFailAndTheImageDrawsNothing) {
    const ByteBuffer good = MakePng(6, 6, Pattern);
    const struct {
        const char* what;
        ByteBuffer bytes;
    } cases[] = {
        {"empty", {}},
        {"garbage", ByteBuffer(64, 0x5A)},
        {"signature only", ByteBuffer(good.begin(), good.begin() + 8)},
        {"truncated", ByteBuffer(good.begin(), good.begin() + good.size() / 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PlusImage image;
        EXPECT_FALSE(image.LoadFromBytes(c.bytes));
        EXPECT_NE(qz::PlusLastStatus, Gdiplus::Ok);
        EXPECT_TRUE(image.IsEmpty());
        EXPECT_EQ(image.GetWidth(), 0u);

        PlusBitmap bitmap;
        EXPECT_FALSE(bitmap.LoadFromBytes(c.bytes.data(), c.bytes.size()));
        EXPECT_TRUE(bitmap.IsEmpty());

        GreenCanvas canvas;
        EXPECT_FALSE(canvas.graphics.DrawImage(image, 0, 0));
        EXPECT_FALSE(canvas.graphics.DrawImageRectRect(bitmap, 0, 0, 8, 8));
        EXPECT_TRUE(canvas.Untouched());
    }
}

TEST(PlusImageDispose, SecondDisposeReturnsFalseWithoutCallingGdiplus) {
    PlusImage image;
    ASSERT_TRUE(image.LoadFromBytes(MakePng(3, 3, Pattern)));
    EXPECT_TRUE(image.Dispose());
    EXPECT_TRUE(image.IsEmpty());
    qz::PlusLastStatus = Gdiplus::Aborted;
    EXPECT_FALSE(image.Dispose());
    EXPECT_EQ(qz::PlusLastStatus, Gdiplus::Aborted);
}

TEST(PlusObjects, DeleteOfAnEmptyObjectReturnsFalseWithoutCallingGdiplus) {
    qz::PlusBitmap bitmap;
    qz::PlusGraphics graphics;
    qz::PlusSolidBrush brush;
    qz::PlusPen pen;
    qz::PlusFont font;
    qz::PlusFontFamily family;
    qz::PlusStringFormat format;
    qz::PlusPath path;
    qz::PlusRegion region;
    const std::function<bool()> deletes[] = {
        [&] { return bitmap.Dispose(); }, [&] { return graphics.Delete(); },
        [&] { return brush.Delete(); },   [&] { return pen.Delete(); },
        [&] { return font.Delete(); },    [&] { return family.Delete(); },
        [&] { return format.Delete(); },  [&] { return path.Delete(); },
        [&] { return region.Delete(); },
    };
    for (std::size_t i = 0; i < std::size(deletes); ++i) {
        qz::PlusLastStatus = Gdiplus::Aborted;
        EXPECT_FALSE(deletes[i]()) << i;
        EXPECT_EQ(qz::PlusLastStatus, Gdiplus::Aborted) << i;
    }
}

TEST(PlusObjects, CreateAndDeleteReportOkAndEmptyTheObject) {
    qz::PlusSolidBrush brush;
    ASSERT_TRUE(brush.Create(kGreen));
    EXPECT_EQ(brush.GetType(), Gdiplus::BrushTypeSolidColor);
    qz::PlusPen pen;
    ASSERT_TRUE(pen.CreateFromBrush(brush, 2));
    EXPECT_TRUE(pen.SetWidth(3));
    EXPECT_TRUE(pen.SetDashStyle(Gdiplus::DashStyleDot));
    EXPECT_TRUE(pen.Delete());
    EXPECT_TRUE(pen.IsEmpty());
    EXPECT_TRUE(brush.Delete());
    EXPECT_TRUE(brush.IsEmpty());
}

TEST(PlusObjects, AGetterOnAnEmptyObjectGivesZeroAndRecordsTheFailure) {
    PlusBitmap empty;
    qz::PlusLastStatus = Gdiplus::Ok;
    EXPECT_EQ(empty.GetHeight(), 0u);
    EXPECT_EQ(qz::PlusLastStatus, Gdiplus::InvalidParameter);
    EXPECT_EQ(empty.GetPixel(0, 0), 0u);
    EXPECT_EQ(empty.GetHbitmap(0), nullptr);
    qz::PlusFont font;
    EXPECT_EQ(font.GetSize(), 0.0f);
    EXPECT_NE(qz::PlusLastStatus, Gdiplus::Ok);
}

TEST(PlusGraphicsDrawImageRectRect, ScalesTheWholeSourceIntoTheDestination) {
    PlusBitmap source;
    qztest::PaintBitmap(source, 2, 2, [](int x, int y) {
        return x == 0 ? (y == 0 ? 0xFFFF0000u : 0xFF0000FFu) : (y == 0 ? 0xFF00FF00u : 0xFFFFFFFFu);
    });
    PlusBitmap target;
    ASSERT_TRUE(target.CreateEmpty(20, 20));
    {
        PlusGraphics g;
        ASSERT_TRUE(g.FromImage(target));
        ASSERT_TRUE(g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor));
        ASSERT_TRUE(g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf));
        ASSERT_TRUE(g.DrawImageRectRect(source, 0, 0, 20, 20));
    }
    // Each source pixel covers a 10 x 10 quarter; read well inside each quarter.
    EXPECT_EQ(target.GetPixel(4, 4), 0xFFFF0000u);
    EXPECT_EQ(target.GetPixel(15, 4), 0xFF00FF00u);
    EXPECT_EQ(target.GetPixel(4, 15), 0xFF0000FFu);
    EXPECT_EQ(target.GetPixel(15, 15), 0xFFFFFFFFu);
}

TEST(PlusBitmapCloneArea, GivesTheTargetTheCutOutPixels) {
    PlusBitmap source;
    qztest::PaintBitmap(source, 6, 4, Pattern);
    PlusBitmap piece;
    ASSERT_TRUE(source.CloneArea(qz::MakeRectF(2, 1, 3, 2), PixelFormat32bppARGB, piece));
    ASSERT_EQ(piece.GetWidth(), 3u);
    ASSERT_EQ(piece.GetHeight(), 2u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(piece.GetPixel(x, y), Pattern(x + 2, y + 1));
}

TEST(PlusBitmapGetHbitmap, GivesACallerOwnedBitmapOfTheSameSize) {
    PlusBitmap source;
    qztest::PaintBitmap(source, 7, 5, Pattern);
    HBITMAP handle = source.GetHbitmap(0);
    ASSERT_NE(handle, nullptr);
    BITMAP info = {};
    ASSERT_NE(GetObjectA(handle, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 5);
    EXPECT_TRUE(DeleteObject(handle));
}

TEST(PlusPathAddRoundRectPercent, CornerBoxesArePercentsOfTheSidesClampedToOneThroughHundred) {
    const struct {
        float width, height;
        int percent;
        float cornerWidth, cornerHeight;
    } cases[] = {
        {10, 20, 15, 1, 3},       // 1.5 and 3.0 truncated
        {200, 100, 0, 2, 1},      // 0 behaves as 1
        {200, 100, -3, 2, 1},     //
        {200, 100, 250, 200, 100} // 250 behaves as 100
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        qz::PlusPath path;
        ASSERT_TRUE(path.Create());
        ASSERT_TRUE(path.AddRoundRectPercent(4, 6, c.width, c.height, c.percent));
        std::vector<qz::PointF> points = path.GetPoints();
        ASSERT_GE(points.size(), 4u);
        // The top-right arc runs from the top of its box to the middle of its right side.
        EXPECT_NEAR(points[0].X, 4 + c.width - c.cornerWidth / 2, 0.01);
        EXPECT_NEAR(points[0].Y, 6, 0.01);
        EXPECT_NEAR(points[3].X, 4 + c.width, 0.01);
        EXPECT_NEAR(points[3].Y, 6 + c.cornerHeight / 2, 0.01);
        qz::RectF bounds = path.GetBounds();
        EXPECT_NEAR(bounds.Width, c.width, 0.01);
        EXPECT_NEAR(bounds.Height, c.height, 0.01);
        EXPECT_EQ(path.GetTypes().back() & 0x80, 0x80);
    }
}

TEST(WideText, ConvertsThroughTheAnsiAndOemCodePages) {
    EXPECT_EQ(qz::ToWideText("宋体"), std::wstring(L"\x5B8B\x4F53"));
    EXPECT_EQ(qz::ToWideText(""), std::wstring());
    EXPECT_EQ(qz::FromWideText(L"\x5B8B\x4F53"), std::string("宋体"));
    EXPECT_EQ(qz::FromWideText(L""), std::string());
    EXPECT_EQ(qz::FromWideText(nullptr), std::string());
}

TEST(HGlobalStreamTest, HoldsACopyUntilReleased) {
    const ByteBuffer bytes = {1, 2, 3, 4, 5, 250};
    qz::HGlobalStream stream;
    IStream* com = stream.SetBytes(bytes);
    ASSERT_NE(com, nullptr);
    EXPECT_EQ(stream.GetStream(), com);
    EXPECT_NE(stream.GetHglobal(), nullptr);
    EXPECT_EQ(stream.GetSize(), bytes.size());
    EXPECT_EQ(stream.GetBytes(), bytes);

    ULONG written = 0;
    const unsigned char more[] = {7, 8, 9};
    LARGE_INTEGER end = {};
    end.QuadPart = static_cast<LONGLONG>(bytes.size());
    com->Seek(end, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(com->Write(more, sizeof more, &written), S_OK);
    ByteBuffer grown = bytes;
    grown.insert(grown.end(), more, more + sizeof more);
    EXPECT_EQ(stream.GetBytes(), grown);

    stream.Release();
    EXPECT_EQ(stream.GetStream(), nullptr);
    EXPECT_EQ(stream.GetHglobal(), nullptr);
    EXPECT_TRUE(stream.GetBytes().empty());
}

TEST(ToolTipWindowTest, AddsAndRemovesToolsOfItsOwner) {
    qztest::TestWindow owner(200, 100);
    qz::ToolTipWindow tip;
    HWND handle = tip.Create(owner.Handle());
    ASSERT_NE(handle, nullptr);
    char cls[64] = {};
    GetClassNameA(handle, cls, sizeof cls);
    EXPECT_STREQ(cls, TOOLTIPS_CLASSA);
    EXPECT_EQ(GetWindowLongPtrA(handle, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongPtrA(handle, GWL_STYLE) & TTS_BALLOON, 0);
    EXPECT_EQ(SendMessageA(handle, TTM_GETMAXTIPWIDTH, 0, 0), 600);

    RECT box = {10, 10, 36, 28};
    EXPECT_TRUE(tip.AddTool(&box, "关闭", 1));
    EXPECT_TRUE(tip.AddTool(nullptr, "帮助", 2));
    EXPECT_EQ(tip.GetToolCount(), 2);

    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = owner.Handle();
    info.uId = 2;
    ASSERT_TRUE(SendMessageA(handle, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(info.rect.right, 200);
    EXPECT_EQ(info.rect.bottom, 100);

    tip.DeleteTool(1);
    EXPECT_EQ(tip.GetToolCount(), 1);
    tip.DeleteTool(2);
    EXPECT_EQ(tip.GetToolCount(), 0);
    tip.Destroy();
    EXPECT_FALSE(IsWindow(handle));
}

TEST(ToolTipWindowTest, BalloonFlagGivesTheBalloonStyle) {
    qztest::TestWindow owner(100, 100);
    qz::ToolTipWindow tip;
    HWND handle = tip.Create(owner.Handle(), true);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(handle, GWL_STYLE) & (TTS_BALLOON | TTS_ALWAYSTIP),
              TTS_BALLOON | TTS_ALWAYSTIP);
    tip.Destroy();
}

// A 32-bit memory DC for drawing through GDI+, released on destruction.
class MemoryCanvas {
  public:
    MemoryCanvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~MemoryCanvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    HDC Dc() const { return dc_; }

  private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

void DecodeDrawEncodeDispose(HDC dc, const ByteBuffer& png) {
    PlusImage image;
    EXPECT_TRUE(image.LoadFromBytes(png));
    PlusGraphics g;
    EXPECT_TRUE(g.FromHdc(dc));
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    EXPECT_TRUE(g.DrawImage(image, 0, 0));
    EXPECT_TRUE(g.DrawImageRectRect(image, 4, 4, 20, 10));
    qz::PlusPath path;
    path.Create();
    qz::AddRoundRect(path, 1, 1, 30, 20, 6);
    qz::PlusLinearGradientBrush brush;
    brush.Create(qz::MakePointF(0, 0), qz::MakePointF(0, 20), 0xFFFFFFFF, 0x00FFFFFF);
    EXPECT_TRUE(g.FillPath(brush, path));
    EXPECT_TRUE(qztest::IsPng(image.SaveToBytes(qz::kPngFormat)));
    EXPECT_TRUE(image.Dispose());
}

TEST(PlusLeaks, ThousandDecodeDrawEncodeCyclesKeepHandlesAndMemory) {
    const ByteBuffer png = MakePng(16, 12, Pattern);
    MemoryCanvas canvas(32, 24);
    for (int i = 0; i < 50; ++i)
        DecodeDrawEncodeDispose(canvas.Dc(), png);
    const qztest::ResourceCounts before = qztest::CurrentResources();
    for (int i = 0; i < 1000; ++i)
        DecodeDrawEncodeDispose(canvas.Dc(), png);
    const qztest::ResourceCounts after = qztest::CurrentResources();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_LT(after.private_bytes, before.private_bytes + 256 * 1024);
}

} // namespace
