#pragma once
// Kept for the benchmarks under bench/, which include it by this path.
#include "tests/common/programmi_prova.h"
