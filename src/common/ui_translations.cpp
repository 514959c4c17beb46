#include "common/ui_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <vector>

#include "common/translate.h"

namespace rumo {

namespace {

std::string qtTranslate(const char* context, const char* source, const char* disambiguation,
                        int n) {
    return QCoreApplication::translate(context, source, disambiguation, n).toStdString();
}

// The ones installed here, so that installing another language replaces them.
std::vector<QTranslator*>& installed() {
    static std::vector<QTranslator*> translators;
    return translators;
}

void installFile(const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder)) {
        QCoreApplication::installTranslator(translator);
        installed().push_back(translator);
    } else {
        delete translator;
    }
}

}  // namespace

UiLanguage uiLanguageFromEnvironment() {
    const QByteArray language = qgetenv("LANGUAGE");
    const QByteArray lcAll = qgetenv("LC_ALL");
    const QByteArray lcMessages = qgetenv("LC_MESSAGES");
    const QByteArray lang = qgetenv("LANG");
    return uiLanguageOf({language.toStdString(), lcAll.toStdString(), lcMessages.toStdString(),
                         lang.toStdString()});
}

UiLanguage installUiTranslations(std::optional<UiLanguage> forced) {
    const UiLanguage language = forced.value_or(uiLanguageFromEnvironment());
    for (QTranslator* translator : installed()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed().clear();
    const std::string_view codeText = uiLanguageCode(language);
    const QString code =
        QString::fromLatin1(codeText.data(), static_cast<qsizetype>(codeText.size()));
    // English is Qt's own language; its file holds no more than the plural forms of ours.
    if (language == UiLanguage::Japanese) {
        installFile(QStringLiteral("qtbase_ja"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    installFile(QStringLiteral("rumo_") + code, QStringLiteral(":/i18n"));
    setTranslator(&qtTranslate);
    return language;
}

}  // namespace rumo
