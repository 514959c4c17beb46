// Feeds arbitrary bytes to the picture decoder: it must refuse or decode them without crashing,
// hanging or allocating without bound. The input's length picks the layer and screen size.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

#include "screen/picture_decoder.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    static int argc = 1;
    static char name[] = "fuzz_picture_decoder";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.gui.imageio*=false");
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    static const QSize screens[] = {QSize(1024, 768), QSize(320, 200), QSize()};
    const QSize screen = screens[size % 3];
    const bool foreground = (size / 3) % 2 == 0;
    const auto picture = rumo::decodePicture(buffer, screen, foreground);
    if (picture && picture->image.isNull()) {
        __builtin_trap();  // success must always come with pixels
    }
    return 0;
}
