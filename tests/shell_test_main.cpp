// Runs the shell tests inside a QApplication on the offscreen platform, with a settings folder
// and runtime folder of their own so nothing touches the user's files, in Japanese.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

#include "common/ui_translations.h"

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.filePath(QStringLiteral("runtime")).toUtf8());
    qputenv("RUMO_INSTANCE_FOLDER", home.filePath(QStringLiteral("runtime")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // The Japanese interface, byte for byte as it always was; tests of the English one switch.
    rumo::installUiTranslations(rumo::UiLanguage::Japanese);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
