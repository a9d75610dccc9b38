#include "desktop.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace quor {

void setUpDesktop(QApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), u"qtbase"_s, u"_"_s,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);

    app.setStyle(QStyleFactory::create(u"Fusion"_s));
    QFont font = app.font();
    font.setFamilies({u"SimSun"_s, u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s, u"Noto Sans"_s});
    font.setPointSize(9);
    app.setFont(font);
}

} // namespace quor
