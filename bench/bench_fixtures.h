// Inputs the benchmarks share, made by the benchmarks themselves.
#pragma once

#include <QString>

// A photo-like 6000x4000 JPEG (gradients with grain, about 8 MB), written once per run into a
// temporary folder; empty when it cannot be written.
QString largeJpeg();

// Runs the benchmarks given on the command line inside a GUI application on the offscreen
// platform (unless another one is asked for).
int runBenchmarks(int argc, char** argv);
