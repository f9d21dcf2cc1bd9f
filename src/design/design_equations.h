#pragma once

// The equations of each design, named by the design table (design_table.cpp).

#include "design/engine.h"
#include "design/timing.h"

namespace timer555 {

/// Component equations with the capacitor decade search (or with the C1
/// given, for an exact search) for the astable designs above 50 %, at 50 %
/// and below 50 % and for the monostable. On an error the design returned
/// is of no use; ComputeComponents returns the one given instead.
ComponentsResult ComputeAbove50Components(const DesignState& design, CapacitorSearch search);
ComponentsResult ComputeSquareComponents(const DesignState& design, CapacitorSearch search);
ComponentsResult ComputeBelow50Components(const DesignState& design, CapacitorSearch search);
ComponentsResult ComputeMonostableComponents(const DesignState& design, CapacitorSearch search);

/// Output times from the components of the same four designs.
OutputTimes Above50Times(double r1, double r2, double c1);
OutputTimes SquareTimes(double r1, double r2, double c1);
OutputTimes Below50Times(double r1, double r2, double c1);
OutputTimes MonostableTimes(double r1, double r2, double c1);

}  // namespace timer555
