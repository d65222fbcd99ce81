#pragma once

namespace sumbrook::ui {

// Registers the window's images, built into the library.
void InitResources();

} // namespace sumbrook::ui
