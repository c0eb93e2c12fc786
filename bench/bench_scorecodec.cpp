#include "core/scorecodec.h"

#include <QElapsedTimer>
#include <QTextStream>

// Times the score file codec: a full table both ways, and rejecting the largest file the game
// will look at.
namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

template <typename Work>
void report(const char *what, int repeats, Work work)
{
    QElapsedTimer timer;
    timer.start();
    qint64 check = 0;
    for (int i = 0; i < repeats; ++i)
        check += work();
    const double micros = double(timer.nsecsElapsed()) / 1000.0 / repeats;
    out() << what << ": " << micros << " us per call (" << repeats << " calls, check " << check
          << ")\n";
}

} // namespace

int main()
{
    ScoreCodec::Fields names;
    ScoreCodec::Fields scores;
    for (int row = 0; row < ScoreCodec::Rows; ++row) {
        names[row] = QStringLiteral("Игрок, \"номер\" %1 (ОТ)").arg(row);
        scores[row] = QString::number(1000000 - row * 7919);
    }
    const QByteArray plain = ScoreCodec::plainTable(names, scores);
    const QByteArray file = ScoreCodec::encode(plain);
    out() << "table: " << plain.size() << " bytes plain, " << file.size() << " bytes encoded\n";

    report("encode table", 20000,
           [&] { return ScoreCodec::encode(ScoreCodec::plainTable(names, scores)).size(); });
    report("decode table", 20000, [&] { return qint64(ScoreCodec::decode(file).ok()); });

    // Junk of the largest size read: rejected at its first byte.
    const QByteArray junk(ScoreCodec::MaxFileBytes, 'x');
    report("decode 64 MiB of junk", 5, [&] { return qint64(ScoreCodec::decode(junk).ok()); });

    // The worst case: 64 MiB of well-formed, consistent number lines that never make a table.
    QByteArray numbers;
    numbers.reserve(ScoreCodec::MaxFileBytes);
    while (numbers.size() + 8 < ScoreCodec::MaxFileBytes) // room for the extra byte
        numbers += " 8224 \r\n";                          // two blanks, over and over
    const QByteArray wellFormed = ScoreCodec::encodeScoreFile(numbers);
    report("decode 64 MiB of number lines", 3,
           [&] { return qint64(ScoreCodec::decode(wellFormed).ok()); });
    out().flush();
    return 0;
}
