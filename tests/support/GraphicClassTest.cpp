#include "support/GraphicClass.h"

#include <QBuffer>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace {
template <size_t N>
QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArray Padded(const QByteArray& head, int size = 44)
{
    QByteArray bytes = head;
    bytes.append(QByteArray(size - head.size(), '\0'));
    return bytes;
}
}

TEST(DetectGraphicClass, FirstBytesDecide)
{
    QByteArray emf = Padded(Bytes("\x01\x00\x00\x00"));
    emf.replace(40, 4, " EMF");
    struct Case { QByteArray bytes; TGraphicClass expected; };
    const Case cases[] = {
        {Padded(Bytes("II\x2A\x00")), TGraphicClass::TIFF},
        {Padded(Bytes("II\x00\x2A")), TGraphicClass::None},
        {Padded("BM"), TGraphicClass::BMP},
        {Padded(Bytes("MM\x00\x2A")), TGraphicClass::TIFF},
        {Padded(Bytes("MM\x2A\x00")), TGraphicClass::None},
        {Padded("\xFF\xD8\xFF\xE0"), TGraphicClass::JPEG},
        {Padded("\x89PNG\r\n\x1A\n"), TGraphicClass::PNG},
        {Padded("\xD7\xCD\xC6\x9A"), TGraphicClass::WMF},
        {emf, TGraphicClass::EMF},
        {Padded(Bytes("\x01\x00\x00\x00")), TGraphicClass::None},
        {Padded("GIF89a"), TGraphicClass::GIF},
        {Padded(Bytes("\x00\x00\x01\x00")), TGraphicClass::ICO},
        {Padded("<html>"), TGraphicClass::None},
        {Padded("\x89PNG\r\n\x1A\n", 43), TGraphicClass::None},
        {QByteArray(), TGraphicClass::None},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(DetectGraphicClass(cases[i].bytes), cases[i].expected) << "case " << i;
}

TEST(DetectGraphicClass, StreamsKeepTheirPosition)
{
    const QByteArray png = Padded("\x89PNG\r\n\x1A\n", 60);
    QByteArray withPrefix = "xxxx" + png;
    QBuffer buffer(&withPrefix);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    buffer.seek(4);
    EXPECT_EQ(DetectGraphicClass(buffer), TGraphicClass::PNG);
    EXPECT_EQ(buffer.pos(), 4);

    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write("yy" + png);
    file.seek(2);
    EXPECT_EQ(DetectGraphicClass(file), TGraphicClass::PNG);
    EXPECT_EQ(file.pos(), 2);
    file.seek(20); // fewer than 44 bytes remain
    EXPECT_EQ(DetectGraphicClass(file), TGraphicClass::None);
    EXPECT_EQ(file.pos(), 20);
}
