// Opens the properties dialog modally over the given window.
#pragma once

class QWidget;

namespace rumo {

class SettingsStore;

void openProperties(SettingsStore& store, QWidget* owner);

}  // namespace rumo
