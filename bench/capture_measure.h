// Time per capture: the real onTick (probe, texts, the seven edit-box writes) against a
// floor that makes the same eight queries and seven SetWindowTextA calls directly on the
// same edit boxes. Batches of the two alternate; each batch gives microseconds per capture.
#pragma once

#include <vector>

#include "bench/in_process_inspector.h"

struct CaptureFigures {
    std::vector<double> toolUs;
    std::vector<double> floorUs;
    std::vector<double> queriesUs;  // the floor's eight queries alone, to show what writes cost
};

// Painting is kept out of both: pending messages are dispatched between batches, untimed.
CaptureFigures measureCapture(InProcessInspector& inspector, int rounds, int capturesPerRound);
