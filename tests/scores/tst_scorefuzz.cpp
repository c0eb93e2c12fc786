#include "doubles/formfixture.h"
#include "scores/scorecodec.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QTest>

namespace {

const QString ScoreFile = QStringLiteral("Scores.dat");
const QString Aside = QStringLiteral("Scores.dat.damaged");

QByteArray randomBytes(QRandomGenerator &random, int size, quint8 orMask = 0)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(random.bounded(256) | orMask);
    return bytes;
}

// A plain table text of 22 lines that is mostly valid: random names, scores now and then
// malformed, now and then lines missing or extra.
QByteArray randomPlainTable(QRandomGenerator &random)
{
    QByteArray text;
    const int lines = random.bounded(10) == 0 ? ScoreCodec::Lines - 1
                                              : ScoreCodec::Lines + int(random.bounded(3));
    for (int line = 0; line < lines; ++line) {
        if (line % 2 == 0) {
            text += randomBytes(random, int(random.bounded(12)));
        } else if (random.bounded(50) == 0) {
            text += randomBytes(random, int(random.bounded(4)));
        } else {
            text += QByteArray(int(random.bounded(3)), ' ')
                    + QByteArray::number(qint32(random.generate())) + QByteArray(int(random.bounded(2)), ' ');
        }
        text += "\r\n";
    }
    return text;
}

QByteArray mutated(QRandomGenerator &random, QByteArray file)
{
    switch (random.bounded(6)) {
    case 0: // truncated
        return file.left(int(random.bounded(file.size() + 1)));
    case 1: // a few bits flipped
        for (int flips = 1 + int(random.bounded(3)); flips > 0 && !file.isEmpty(); --flips) {
            const int at = int(random.bounded(file.size()));
            file[at] = char(file[at] ^ (1 << random.bounded(8)));
        }
        return file;
    case 2: // random bytes that pass the first look (top bit set)
        return randomBytes(random, int(random.bounded(3000)), 0x80);
    case 3: // anything at all
        return randomBytes(random, int(random.bounded(3000)));
    default: // left whole: a well-formed number text over a random plain table
        return file;
    }
}

QString withoutLineBreaks(QString name)
{
    return name.replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

class TestScoreFuzz : public QObject
{
    Q_OBJECT

private slots:
    void everyLoadGivesWellFormedTableOrKeepsFileAside_data();
    void everyLoadGivesWellFormedTableOrKeepsFileAside();
};

void TestScoreFuzz::everyLoadGivesWellFormedTableOrKeepsFileAside_data()
{
    QTest::addColumn<quint32>("seed");
    for (const quint32 seed : {1u, 20240611u, 0xC0FFEEu, 987654321u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestScoreFuzz::everyLoadGivesWellFormedTableOrKeepsFileAside()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    constexpr int Cases = 750;
    int accepted = 0;
    for (int n = 0; n < Cases; ++n) {
        const QByteArray file = mutated(random, ScoreCodec::encode(randomPlainTable(random)));
        const QString label = QStringLiteral("case %1 of seed %2").arg(n).arg(seed);

        FormFixture fixture;
        fixture.memoryFiles.files.insert(ScoreFile, file);
        Form1 &form = fixture.load();

        for (int row = 0; row < Form1::Rows; ++row) {
            QCOMPARE(form.NameP[row]->text(), form.TopNames[row]);
            QCOMPARE(form.ScoresP[row]->text(), QString::number(form.TopScores[row]));
        }
        if (fixture.dialogs.shown.isEmpty()) {
            ++accepted;
            QVERIFY2(fixture.memoryFiles.files.value(ScoreFile) == file, qPrintable(label));
        } else {
            QVERIFY2(fixture.dialogs.shown.size() == 1, qPrintable(label));
            QVERIFY2(!fixture.memoryFiles.files.contains(ScoreFile), qPrintable(label));
            QVERIFY2(fixture.memoryFiles.files.value(Aside) == file, qPrintable(label));
            for (int row = 0; row < Form1::Rows; ++row) {
                QCOMPARE(form.TopNames[row], QStringLiteral("<Пусто>"));
                QCOMPARE(form.TopScores[row], 0);
            }
        }

        // Whatever was loaded is saved so that it loads again the same.
        fixture.close();
        const auto saved = ScoreCodec::decode(fixture.memoryFiles.files.value(ScoreFile));
        QVERIFY2(saved.ok(), qPrintable(label));
        for (int row = 0; row < Form1::Rows; ++row) {
            QCOMPARE(saved.value().names[row], withoutLineBreaks(form.TopNames[row]));
            QCOMPARE(saved.value().scores[row], form.TopScores[row]);
        }
    }
    // The generator must reach both outcomes, or the test proves little.
    QVERIFY(accepted > Cases / 10);
    QVERIFY(accepted < Cases - Cases / 10);
}

QTEST_MAIN(TestScoreFuzz)
#include "tst_scorefuzz.moc"
