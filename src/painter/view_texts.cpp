#include "painter/view_texts.h"

#include <string>

#include <QCoreApplication>

namespace rk7 {

namespace {

// The captions of the schema's view columns and the titles of the chart's position plots: the
// core has no Qt to mark them with, so they are listed here for the translations.
constexpr const char* Texts[] = {
    QT_TRANSLATE_NOOP("rk7::ViewText", "Team Names"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "Engine"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "T Q Power"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "T R Power"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "Failure"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "Driver Names"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "D Q Power"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "D R Power"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "Range"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "Driver power by position"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "Team power by position"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "Range by position"),
    QT_TRANSLATE_NOOP("rk7::ViewText", "Failure by position"),
};

} // namespace

QString ViewText(std::string_view english) {
    return QCoreApplication::translate("rk7::ViewText", std::string(english).c_str());
}

QString AllViewTexts() {
    QString all;
    for (const char* text : Texts)
        all += ViewText(text) + u'\n';
    return all;
}

} // namespace rk7
