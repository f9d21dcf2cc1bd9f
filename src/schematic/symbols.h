#pragma once

#include <string>

#include "platform/canvas.h"
#include "schematic/drawing_state.h"

namespace timer555 {

// The symbol routines of the circuit script interpreter. Each draws one kind
// of symbol relative to the pen of the drawing state `ds` with the settings
// the interpreter wrote there, and moves the pen and the canvas's drawing point
// as its command needs for the wire that follows.

/// Timer chip box with eight numbered pins and its title; the pen is at the
/// outer end of the lowest left-hand pin and does not move.
void DrawTimer(Canvas& canvas, DrawingState& ds);
/// Ripple counter box; the pen moves ten columns right, to the output lead.
void DrawCounter(Canvas& canvas, DrawingState& ds);
/// J-K flip-flop box; the pen is at the clock lead and does not move.
void DrawFlipFlop(Canvas& canvas, DrawingState& ds);

/// Resistor zig-zag 36 pixels long with name and, when showValues is
/// non-zero, value label; records its zone for resistors 1 to 4.
void DrawResistor(Canvas& canvas, DrawingState& ds, int showValues);
/// Capacitor 36 pixels long with labels; records C1Zone for number 1.
void DrawCapacitor(Canvas& canvas, DrawingState& ds, int showValues);

/// Diode 24 pixels long with its name "Dn".
void DrawDiode(Canvas& canvas, DrawingState& ds);
/// Light-emitting diode 24 pixels long with its circle, rays and "LEDn".
void DrawLED(Canvas& canvas, DrawingState& ds);
/// Bipolar transistor opening left or right of the base lead; the pen ends
/// at the lower lead's end.
void DrawTransistor(Canvas& canvas, DrawingState& ds);

/// Three-bar ground sign with its top bar through the pen.
void DrawGround(Canvas& canvas, DrawingState& ds);
/// Ground sign reached by a lead two columns right and one row down.
void DrawGroundAt(Canvas& canvas, DrawingState& ds);
/// Junction dot of 16 pixels around the pen.
void DrawJunction(Canvas& canvas, DrawingState& ds);
/// Comparator triangle with plus and minus inputs and an output lead.
void DrawOpAmp(Canvas& canvas, DrawingState& ds);

/// Transformer with two three-turn windings.
void DrawTransformer(Canvas& canvas, DrawingState& ds);
/// Transformer with a three-turn primary and a five-turn secondary.
void DrawStepUpTransformer(Canvas& canvas, DrawingState& ds);
/// Relay: two fixed contacts, a moving contact and the coil.
void DrawRelay(Canvas& canvas, DrawingState& ds);
/// Loudspeaker drawn upwards from the pen.
void DrawSpeaker(Canvas& canvas, DrawingState& ds);
/// Single-pole switch drawn upwards from the pen.
void DrawSwitch(Canvas& canvas, DrawingState& ds);

/// Converts a number field of a script, or of a symbol's constant text, to
/// an integer: optional leading blanks, an optional sign, then one or more
/// decimal digits and nothing else. Throws ScriptConversionError naming the
/// field otherwise.
int ScriptInteger(const std::string& field);

/// Keeps a pen coordinate inside +-2^30, so that the offsets the symbols add
/// to it can never overflow, however far a script moves the pen.
int PenCoordinate(long long value);

}  // namespace timer555
