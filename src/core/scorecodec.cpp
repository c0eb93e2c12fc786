#include "core/scorecodec.h"

#include "core/texts.h"

#include <QStringDecoder>

#include <limits>
#include <memory>
#include <optional>

namespace ScoreCodec {

namespace {

constexpr char Question = '?';

// The code page's byte for every UTF-16 unit, '?' where it has none. Built once from the
// decoder, so encoding and decoding can never disagree.
class ReverseTable
{
public:
    ReverseTable()
    {
        m_bytes.fill(Question);
        QStringDecoder decoder("windows-1251");
        for (int byte = 0; byte < 256; ++byte) {
            const char c = char(byte);
            const QString decoded = decoder.decode(QByteArrayView(&c, 1));
            if (decoded.size() == 1 && decoded.front() != QChar::ReplacementCharacter)
                m_bytes[decoded.front().unicode()] = c;
        }
    }

    char byteFor(char16_t unit) const { return m_bytes[unit]; }

private:
    std::array<char, 0x10000> m_bytes{};
};

const ReverseTable &reverseTable()
{
    static const auto table = std::make_unique<const ReverseTable>();
    return *table;
}

QString fieldWithoutLineBreaks(QString field)
{
    field.replace(QLatin1Char('\r'), QLatin1Char(' '));
    field.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return field;
}

void appendLine(QByteArray &text, const QString &field)
{
    text += toWindows1251(fieldWithoutLineBreaks(field));
    text += "\r\n";
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A score line: blanks, an optional "-", decimal digits, blanks.
std::optional<qint32> scoreOf(QByteArrayView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && isBlank(line[begin]))
        ++begin;
    while (end > begin && isBlank(line[end - 1]))
        --end;
    const bool negative = begin < end && line[begin] == '-';
    if (negative)
        ++begin;
    if (begin == end)
        return std::nullopt;
    const qint64 limit = negative ? -qint64(std::numeric_limits<qint32>::min())
                                  : qint64(std::numeric_limits<qint32>::max());
    qint64 magnitude = 0;
    for (qsizetype i = begin; i < end; ++i) {
        if (!isDigit(line[i]))
            return std::nullopt;
        magnitude = magnitude * 10 + (line[i] - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return qint32(negative ? -magnitude : magnitude);
}

// Adding or subtracting 128 mod 256 is the same thing: flipping the top bit.
void flipTopBits(QByteArrayView from, char *to)
{
    const char *source = from.data();
    for (qsizetype i = 0; i < from.size(); ++i)
        to[i] = char(source[i] ^ 0x80);
}

} // namespace

QByteArray toWindows1251(QStringView text)
{
    const ReverseTable &table = reverseTable();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isSurrogate()) {
            // One character, one "?": a whole pair is skipped together.
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            bytes += Question;
        } else {
            bytes += table.byteFor(c.unicode());
        }
    }
    return bytes;
}

QString fromWindows1251(QByteArrayView bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

QByteArray plainTable(const Fields &names, const Fields &scores)
{
    QByteArray text;
    for (int row = 0; row < Rows; ++row) {
        appendLine(text, names[row]);
        appendLine(text, scores[row]);
    }
    return text;
}

QByteArray defaultPlainTable()
{
    Fields names;
    Fields scores;
    names.fill(Texts::EmptyRow);
    scores.fill(QStringLiteral(" 0 "));
    return plainTable(names, scores);
}

QByteArray encodeNumberText(QByteArrayView plainText)
{
    QByteArray text;
    text.reserve(plainText.size() * 8);
    char digits[8];
    for (qsizetype k = 0; k < plainText.size(); ++k) {
        const quint8 low = quint8(plainText[k]);
        const quint8 high = k + 1 < plainText.size() ? quint8(plainText[k + 1]) : 0;
        const qint16 value = qint16(quint16(low | (high << 8)));
        text += value < 0 ? '-' : ' ';
        int magnitude = value < 0 ? -int(value) : int(value);
        int count = 0;
        do {
            digits[count++] = char('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude > 0);
        while (count > 0)
            text += digits[--count];
        text += " \r\n";
    }
    return text;
}

QByteArray encodeScoreFile(QByteArrayView numberText)
{
    QByteArray file(numberText.size() + 1, ExtraByte);
    flipTopBits(numberText, file.data()); // + 128 mod 256
    return file;
}

QByteArray encode(QByteArrayView plainText)
{
    return encodeScoreFile(encodeNumberText(plainText));
}

namespace {

// The plain table text of a score file, parsed in place, without a copy of its number text.
Result<QByteArray> parseScoreFile(QByteArrayView bytes)
{
    using R = Result<QByteArray>;
    const auto notNumbers = [] { return R::damaged(QStringLiteral("в нём не числа")); };
    const auto outOfRange = [] {
        return R::damaged(QStringLiteral("в нём число вне допустимых пределов"));
    };

    const char *data = bytes.data();
    // Layer 2 read straight from layer 3: every byte less 128, that is its top bit flipped.
    const auto at = [data](qsizetype i) { return char(quint8(data[i]) ^ 0x80); };
    QByteArray plain;
    const qsizetype size = bytes.size();
    qsizetype pos = 0;
    int expectedLow = -1; // the previous line's high byte
    // Whatever is left once at most one byte remains is the extra byte.
    while (size - pos > 1) {
        const char sign = at(pos++);
        if (sign != ' ' && sign != '-')
            return notNumbers();
        const qsizetype digitsBegin = pos;
        qint32 magnitude = 0;
        while (pos < size && isDigit(at(pos))) {
            magnitude = magnitude * 10 + (at(pos) - '0');
            ++pos;
            if (magnitude > 32768)
                return outOfRange(); // also keeps a long run of digits from overflowing
        }
        const qsizetype digitCount = pos - digitsBegin;
        if (digitCount == 0 || (digitCount > 1 && at(digitsBegin) == '0'))
            return notNumbers();
        if (size - pos < 3 || at(pos) != ' ' || at(pos + 1) != '\r' || at(pos + 2) != '\n')
            return notNumbers();
        pos += 3;
        if (sign == '-' && magnitude == 0)
            return notNumbers();
        const qint32 value = sign == '-' ? -magnitude : magnitude;
        if (value > 32767)
            return outOfRange();
        const quint16 bits = quint16(qint16(value));
        const int low = bits & 0xFF;
        if (expectedLow >= 0 && low != expectedLow)
            return R::damaged(QStringLiteral("его числа не сходятся друг с другом"));
        expectedLow = bits >> 8;
        plain += char(low);
    }
    if (plain.isEmpty())
        return R::damaged(QStringLiteral("он пуст или обрезан"));
    return R::success(plain);
}

} // namespace

Result<QByteArray> decodePlainText(QByteArrayView scoreFile)
{
    if (scoreFile.size() > MaxFileBytes)
        return Result<QByteArray>::damaged(QStringLiteral("он слишком велик для таблицы рекордов"));
    return parseScoreFile(scoreFile);
}

Result<Table> readTable(QByteArrayView plainText)
{
    using R = Result<Table>;
    Table table;
    qsizetype pos = 0;
    for (int line = 0; line < Lines; ++line) {
        const qsizetype end = plainText.indexOf(QByteArrayView("\r\n"), pos);
        if (end < 0)
            return R::damaged(QStringLiteral("в таблице меньше %1 строк").arg(Lines));
        const QByteArrayView field = plainText.sliced(pos, end - pos);
        pos = end + 2;
        const int row = line / 2;
        if (line % 2 == 0) {
            table.names[row] = fromWindows1251(field);
        } else if (const auto score = scoreOf(field)) {
            table.scores[row] = *score;
        } else {
            return R::damaged(QStringLiteral("очки в строке %1 — не целое число").arg(line + 1));
        }
    }
    return R::success(std::move(table));
}

Result<Table> decode(QByteArrayView scoreFile)
{
    const auto plain = decodePlainText(scoreFile);
    if (!plain.ok())
        return Result<Table>::damaged(plain.damage());
    return readTable(plain.value());
}

} // namespace ScoreCodec
