// The score-file reader under libFuzzer: no input crashes it or reads out of bounds, every byte
// string survives layers 2 and 3, and a table it reads is written and read back unchanged.
// `fuzz_scorefile --write-seeds DIR` writes the seed corpus, from our own encoder.
#include "core/scorecodec.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace ScoreCodec;

namespace {

void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "property failed: %s\n", what);
        std::abort();
    }
}

void writeSeeds(const QString &dir)
{
    QStringList odd = QStringLiteral("Эмодзи 😀|<b>жирно</b>&amp;|   пробелы впереди|\"кавычки\", "
                                     "запятые,|строка\r\nперенос||\t|Ёжик ёлка|LoL.|\u202Eнаоборот")
                          .split('|');
    odd += QString(300, QLatin1Char('W'));
    const QStringList score = QStringLiteral("2147483647|-2147483648| 0 |  -17\t").split('|');
    Fields names, scores;
    for (int row = 0; row < Rows; ++row) {
        names[row] = odd[row];
        scores[row] = score[row % 4];
    }
    // Score files, good and damaged, and the plain text of the tables.
    const QByteArray plain = plainTable(names, scores);
    const QByteArray table = encode(plain);
    QByteArray flipped = table;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 1);
    QList<QByteArray> seeds;
    seeds << encode(defaultPlainTable()) << table << table.left(table.size() / 2) << flipped
          << table + "junk" << QByteArray() << defaultPlainTable() << plain;
    require(QDir().mkpath(dir), "the seed folder can be made");
    for (qsizetype i = 0; i < seeds.size(); ++i) {
        QFile file(dir + QStringLiteral("/seed-%1").arg(i));
        require(file.open(QIODevice::WriteOnly) && file.write(seeds[i]) == seeds[i].size(), "seed");
    }
}

// A table read, written with its scores as numbers and read again, is the same table.
void requireRoundTrip(const Table &table)
{
    Fields scores;
    for (int row = 0; row < Rows; ++row)
        scores[row] = QString::number(table.scores[row]);
    const auto again = decode(encode(plainTable(table.names, scores)));
    require(again.ok(), "a table read is written readably");
    for (int row = 0; row < Rows; ++row) {
        QString name = table.names[row]; // as the encoder writes it: a line break as a blank
        name.replace(u'\r', u' ').replace(u'\n', u' ');
        require(again.value().names[row] == name, "names kept");
        require(again.value().scores[row] == table.scores[row], "scores kept");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (*argc == 3 && std::strcmp((*argv)[1], "--write-seeds") == 0) {
        writeSeeds(QFile::decodeName((*argv)[2]));
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    if (size > 0) {
        const auto plain = decodePlainText(encode(bytes));
        require(plain.ok() && plain.value() == bytes, "layers 2 and 3 keep every byte");
    }
    // The file, and the bytes as the table's plain text, which mutations reach far more easily.
    for (const auto &table : {decode(bytes), readTable(bytes)})
        if (table.ok())
            requireRoundTrip(table.value());
    return 0;
}
