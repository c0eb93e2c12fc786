#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <optional>

// A cursor picture and its hotspot, decoded from the bytes of a monochrome Windows CUR file.
struct CursorFile {
    QImage image; // ARGB32: opaque black/white where the cursor draws, fully transparent elsewhere
    QPoint hotspot;
};

// Decodes the first image of a 1-bpp CUR file; nullopt when the bytes are not such a file
// (never reads past the end of the data).
std::optional<CursorFile> parseCursorFile(const QByteArray &bytes);
