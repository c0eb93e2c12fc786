#include "platform/cursorfile.h"

#include <QtEndian>
#include <array>

namespace {

// Reads little-endian fields with bounds checks, so a lying header can never send us past
// the end of the buffer.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_data(reinterpret_cast<const uchar *>(bytes.constData()))
        , m_size(bytes.size())
    {
    }

    qint64 size() const { return m_size; }

    bool has(qint64 offset, qint64 length) const
    {
        return offset >= 0 && length >= 0 && offset <= m_size && length <= m_size - offset;
    }

    std::optional<quint8> u8(qint64 offset) const
    {
        if (!has(offset, 1))
            return std::nullopt;
        return m_data[offset];
    }

    std::optional<quint16> u16(qint64 offset) const
    {
        if (!has(offset, 2))
            return std::nullopt;
        return qFromLittleEndian<quint16>(m_data + offset);
    }

    std::optional<quint32> u32(qint64 offset) const
    {
        if (!has(offset, 4))
            return std::nullopt;
        return qFromLittleEndian<quint32>(m_data + offset);
    }

    std::optional<qint32> i32(qint64 offset) const
    {
        if (!has(offset, 4))
            return std::nullopt;
        return qFromLittleEndian<qint32>(m_data + offset);
    }

    bool bit(qint64 rowStart, int x) const { return (m_data[rowStart + x / 8] >> (7 - x % 8)) & 1; }

private:
    const uchar *m_data;
    qint64 m_size;
};

constexpr qint64 kDirHeaderSize = 6;
constexpr qint64 kDirEntrySize = 16;
constexpr quint32 kInfoHeaderSize = 40;
constexpr quint16 kTypeCursor = 2;
// Cursors are small; the cap keeps a forged header from making us allocate a huge image.
constexpr qint32 kMaxSide = 256;

} // namespace

std::optional<CursorFile> parseCursorFile(const QByteArray &bytes)
{
    const Reader in(bytes);

    const auto reserved = in.u16(0);
    const auto type = in.u16(2);
    const auto count = in.u16(4);
    if (!reserved || !type || !count || *reserved != 0 || *type != kTypeCursor || *count == 0)
        return std::nullopt;

    // First directory entry: in a CUR file the planes/bit-count fields hold the hotspot.
    const qint64 entry = kDirHeaderSize;
    const auto hotX = in.u16(entry + 4);
    const auto hotY = in.u16(entry + 6);
    const auto resSize = in.u32(entry + 8);
    const auto resOffset = in.u32(entry + 12);
    if (!hotX || !hotY || !resSize || !resOffset || !in.has(*resOffset, *resSize))
        return std::nullopt;
    const qint64 res = *resOffset;
    const qint64 resEnd = res + *resSize;

    const auto headerSize = in.u32(res);
    const auto width = in.i32(res + 4);
    const auto doubleHeight = in.i32(res + 8);
    const auto planes = in.u16(res + 12);
    const auto bitCount = in.u16(res + 14);
    const auto compression = in.u32(res + 16);
    const auto coloursUsed = in.u32(res + 32);
    // A PNG-compressed entry fails here too: its first bytes are not a header size of 40.
    if (!headerSize || !width || !doubleHeight || !planes || !bitCount || !compression
        || !coloursUsed || *headerSize < kInfoHeaderSize || *headerSize > *resSize || *planes != 1
        || *bitCount != 1 || *compression != 0)
        return std::nullopt;

    // The stored height covers the colour bitmap and the mask stacked; a negative value
    // (top-down rows) is not used for cursors.
    if (*width <= 0 || *width > kMaxSide || *doubleHeight <= 0 || *doubleHeight % 2 != 0
        || *doubleHeight / 2 > kMaxSide)
        return std::nullopt;
    const int w = *width;
    const int h = *doubleHeight / 2;

    // 0 means "all 2 entries" for a 1-bpp bitmap; more than 2 cannot be indexed.
    const quint32 paletteCount = *coloursUsed == 0 ? 2 : *coloursUsed;
    if (paletteCount != 2)
        return std::nullopt;
    const qint64 paletteStart = res + *headerSize;
    const qint64 stride = ((qint64(w) + 31) / 32) * 4;
    const qint64 xorStart = paletteStart + 4 * qint64(paletteCount);
    const qint64 andStart = xorStart + stride * h;
    const qint64 end = andStart + stride * h;
    if (end > resEnd || !in.has(paletteStart, end - paletteStart))
        return std::nullopt;

    if (*hotX >= w || *hotY >= h)
        return std::nullopt;

    std::array<QRgb, 2> palette{};
    for (int i = 0; i < 2; ++i) {
        const qint64 at = paletteStart + 4 * i;
        // Entries are stored blue, green, red, reserved.
        palette[i] = qRgb(*in.u8(at + 2), *in.u8(at + 1), *in.u8(at));
    }

    QImage image(w, h, QImage::Format_ARGB32);
    if (image.isNull())
        return std::nullopt;
    for (int y = 0; y < h; ++y) {
        // Rows are stored bottom-up.
        const qint64 row = h - 1 - y;
        const qint64 xorRow = xorStart + row * stride;
        const qint64 andRow = andStart + row * stride;
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const bool andBit = in.bit(andRow, x);
            const bool xorBit = in.bit(xorRow, x);
            if (!andBit)
                line[x] = palette[xorBit];
            else if (xorBit)
                // "Invert the screen" cannot be expressed in a plain picture; opaque black
                // at least keeps the pixel visible.
                line[x] = qRgb(0, 0, 0);
            else
                line[x] = qRgba(0, 0, 0, 0);
        }
    }

    return CursorFile{image, QPoint(*hotX, *hotY)};
}
