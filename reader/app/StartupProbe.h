#pragma once

class QWidget;

// With VERBALOOM_STARTUP_PROBE set, the first time the window is exposed its moment on the
// monotonic clock (ns) is printed as "shown <ns>" and the program quits: the start-up benchmark
// measures from the launch to that line.
void InstallStartupProbe(QWidget& window);
