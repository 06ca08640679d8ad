#include "app/Translation.h"

#include <QCoreApplication>

std::unique_ptr<QTranslator> InstallTranslation(const QLocale& Language)
{
    // The desktop's languages in its order of preference. English has no catalogue, so
    // QTranslator alone would pass over it: with LANGUAGE=en:zh_CN it would load Chinese.
    for (const QString& Name : Language.uiLanguages()) {
        const QLocale Wanted(Name);
        if (Wanted.language() == QLocale::English)
            return nullptr;
        // Embedded at build time from translations/*.ts: the program reads no files.
        auto Catalogue = std::make_unique<QTranslator>();
        if (Catalogue->load(Wanted, QStringLiteral("orvanta"), QStringLiteral("_"), QStringLiteral(":/i18n")))
            return QCoreApplication::installTranslator(Catalogue.get()) ? std::move(Catalogue) : nullptr;
    }
    return nullptr;
}
