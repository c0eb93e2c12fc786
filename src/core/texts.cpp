#include "core/texts.h"

namespace Texts {

namespace {

const QString ContactAddress = QStringLiteral("popadaika@example.org");

// The words sit roughly in the middle of the label, pushed there by runs of blanks.
QString indented(int blanks, const QString &text = {})
{
    return QString(blanks, u' ') + text;
}

} // namespace

QStringList rulesLines()
{
    return {
        QStringLiteral("Правила жутко просты - кликай на мишенях и все."),
        QStringLiteral("ПРЕДУПРЕЖДЕНИЕ: Таблица ''10-ка лучших'' хранится в памяти, до завершения "
                       "программы, и только после завершения работы она сохраняется в файле. "
                       "Поэтому, если произойдет 'зависание' системы вовремя работы программы, то "
                       "таблица рекордов будет потеряна. Так, что перезапускайте Попадайку почаще, "
                       "если у вас глючная система."),
        QString(),
        QString(),
        QString(),
        QStringLiteral("Да, есть еще три(но не правила)"),
        QStringLiteral("1)Большая просьба, если у вас есть ЛУЧШИЕ курсоры на место прицела, то "
                       "пожалуйста пришлити их мне(")
            + ContactAddress + QStringLiteral(")."),
        QStringLiteral("2)Все свои предложения, по поводу улучшения, присылайте мне(")
            + ContactAddress + u')',
        QStringLiteral("3)Письма присылать с пометкой ''Popadaika''"),
        indented(57, QStringLiteral("Wrenhold")),
    };
}

QStringList creditLines()
{
    const QString testers = QStringLiteral("Vellik, он же Tarvo, он же Lindqvar");
    return {
        indented(61, QStringLiteral("Автор:")),
        indented(55, QStringLiteral("Нету(Не знаю)")),
        indented(59),
        indented(59, QStringLiteral("Создатель:")),
        indented(59, QStringLiteral("Wrenhold")),
        indented(59),
        indented(62, QStringLiteral("Идея:")),
        indented(60, QStringLiteral("Wrenhold")),
        indented(61, QStringLiteral("Mossby")),
        indented(43, testers),
        indented(59),
        indented(59, QStringLiteral("Бета-Тестеры:")),
        indented(61, QStringLiteral("Wrenhold")),
        indented(62, QStringLiteral("Mossby")),
        indented(43, testers),
        indented(62, QStringLiteral("Rokkaff")),
        indented(53, QStringLiteral("Pelmo, он же ZORBAQ")),
    };
}

} // namespace Texts
