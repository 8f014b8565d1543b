#pragma once

// What every program and window test does before and after it makes its QApplication:
// pixel-exact sizes (no high-DPI scaling) and the Japanese fonts the windows name.
void prepare_application_environment();  // before the QApplication exists
void install_font_substitutions();       // after
