#include "bar/screen_saver_host.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include "common/launch_commands.h"
#include "common/qt_values.h"

namespace rumo {

namespace {

// A hand resting on the mouse moves it a little; only a real movement ends the screen saver.
constexpr int kMoveTolerance = 4;

}  // namespace

ScreenSaverHost::ScreenSaverHost() {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_NativeWindow);
    // The program paints the window; Qt must not paint over it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("background: black"));
    setCursor(Qt::BlankCursor);
    setMouseTracking(true);
}

ScreenSaverHost::~ScreenSaverHost() {
    stopProgram();
}

void ScreenSaverHost::start(const std::string& directory, const std::string& file) {
    // The command needs the window, the window needs a usable command: check the name first.
    if (!screenSaverCommand(directory, file, 0)) {
        return;
    }
    auto* host = new ScreenSaverHost;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        host->setGeometry(screen->geometry());
    }
    const auto window = static_cast<std::uint64_t>(host->winId());
    const std::optional<LaunchCommand> command = screenSaverCommand(directory, file, window);
    QStringList arguments;
    for (const std::string& argument : command->arguments) {
        arguments << qtText(argument);
    }
    host->showFullScreen();
    // Owned by the application, not the window, so that stopping it never blocks the window's
    // destruction; it deletes itself once it has ended.
    auto* process = new QProcess(qApp);
    const QPointer<ScreenSaverHost> alive(host);
    // A program that ends or cannot start leaves nothing to cover the screen for.
    QObject::connect(process, &QProcess::finished, process, [process, alive] {
        process->deleteLater();
        if (alive && alive->program_ == process) {
            alive->program_ = nullptr;
            alive->close();
        }
    });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, alive](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) {
                             return;
                         }
                         process->deleteLater();
                         if (alive && alive->program_ == process) {
                             alive->program_ = nullptr;
                             alive->close();
                         }
                     });
    host->program_ = process;
    process->start(qtText(command->program), arguments);
}

void ScreenSaverHost::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();
    activateWindow();
    // Input must end the screen saver even when the program selects it on the window itself.
    QTimer::singleShot(0, this, [this] {
        grabKeyboard();
        grabMouse();
    });
}

void ScreenSaverHost::keyPressEvent(QKeyEvent* /*event*/) {
    close();
}

void ScreenSaverHost::mousePressEvent(QMouseEvent* /*event*/) {
    close();
}

void ScreenSaverHost::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->globalPosition().toPoint();
    if (!firstPointer_) {
        firstPointer_ = at;
        return;
    }
    if ((at - *firstPointer_).manhattanLength() > kMoveTolerance) {
        close();
    }
}

void ScreenSaverHost::stopProgram() {
    if (program_ == nullptr) {
        return;
    }
    QProcess* process = program_;
    program_ = nullptr;
    if (process->state() == QProcess::NotRunning) {
        return;  // its own handlers delete it
    }
    process->terminate();
    // A program that ignores the request is ended for good a little later.
    QTimer::singleShot(3000, process, &QProcess::kill);
}

}  // namespace rumo
