#pragma once

#include "core/toptable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1String>
#include <QString>
#include <QStringView>
#include <array>
#include <utility>
#include <variant>

// The score file "Scores.dat" and its two inner layers, as pure functions over bytes.
//
//   layer 1, plain table text: 22 lines (name, score; rows 0..10), each ended by CR LF, in
//            Windows-1251;
//   layer 2, number text: one line per byte k of layer 1 holding the signed 16-bit value
//            b(k) + 256 * b(k+1) (the byte beyond the end counts as 0), written as a sign column
//            (" " or "-"), the digits, one blank, CR LF;
//   layer 3, score file: every byte of layer 2 plus 128 (mod 256), then one extra byte, 0x00
//            (the high byte of the encoder's last 16-bit write, whose read found no second byte).
//
// Decoding checks what the format makes checkable; see decodePlainText() and readTable().
namespace ScoreCodec {

using TopTable::Rows;
inline constexpr int Lines = 2 * Rows;

// No table comes anywhere near this; a longer file is damaged and is read no further.
inline constexpr qint64 MaxFileBytes = qint64(64) * 1024 * 1024;

// The byte after the last number line of a score file we write.
inline constexpr char ExtraByte = '\0';

// The names the three layers go by on disk. Only ScoreFileName is ever written; the other two
// are transient names that the load and save sequences delete when left over.
inline constexpr QLatin1String ScoreFileName{"Scores.dat"};
inline constexpr QLatin1String PlainTextFileName{"Scores.temp"};
inline constexpr QLatin1String NumberTextFileName{"Scores.temp2"};

using Fields = std::array<QString, Rows>;
using TopTable::ScoreList;

struct Table {
    Fields names;
    ScoreList scores{};
};

// Either the decoded value or a short reason (for the player, in Russian) why the input is
// damaged.
template <typename T>
class Result
{
public:
    static Result success(T value) { return Result(std::move(value)); }
    static Result damaged(QString reason) { return Result(Damage{std::move(reason)}); }

    bool ok() const { return std::holds_alternative<T>(m_content); }
    const T &value() const { return std::get<T>(m_content); } // only when ok()
    QString damage() const { return ok() ? QString() : std::get<Damage>(m_content).reason; }

private:
    struct Damage {
        QString reason;
    };
    explicit Result(T value)
        : m_content(std::move(value))
    {
    }
    explicit Result(Damage damage)
        : m_content(std::move(damage))
    {
    }
    std::variant<T, Damage> m_content;
};

// Windows-1251. Every character the code page lacks becomes exactly one "?": one per code point,
// so an emoji (a surrogate pair) gives one "?", as does a lone surrogate.
QByteArray toWindows1251(QStringView text);
QString fromWindows1251(QByteArrayView bytes);

// Layer 1 from the captions of the table's labels, each written as it is. A CR or LF inside a
// field becomes a blank, since a line break there would shift every later line of the table.
QByteArray plainTable(const Fields &names, const Fields &scores);
// Eleven rows "<Пусто>" with the score line " 0 ".
QByteArray defaultPlainTable();

QByteArray encodeNumberText(QByteArrayView plainText); // layer 1 -> layer 2
QByteArray encodeScoreFile(QByteArrayView numberText); // layer 2 -> layer 3
QByteArray encode(QByteArrayView plainText);           // layer 1 -> layer 3

// The table in layer 1: its first 22 lines, each ended by CR LF; whatever follows is ignored.
// Names come back exactly. A score line is a decimal 32-bit integer, optionally with "-", with
// blanks around it ignored. Damaged: fewer than 22 complete lines, a score line that is no such
// number.
Result<Table> readTable(QByteArrayView plainText);

// Layer 3 -> layer 1. Layer 2 (every byte less 128) must be one or more complete number lines
// in exactly the form the encoder writes (sign column, digits without leading zeros, one blank,
// CR LF; no "-0"), followed by at most one byte of any value (the extra byte of whichever
// program wrote the file). Damaged: anything else, a value outside -32768..32767, a line whose
// high byte differs from the next line's low byte (every byte but the first and the last is
// stored twice; the last line's high byte carries no information), and a file longer than
// MaxFileBytes. Works on the file in place: junk is rejected without a pass over the whole file.
Result<QByteArray> decodePlainText(QByteArrayView scoreFile);

// Layer 3 -> table, all checks included.
Result<Table> decode(QByteArrayView scoreFile);

} // namespace ScoreCodec
