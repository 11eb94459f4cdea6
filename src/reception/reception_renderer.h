#pragma once

#include "audio/message_renderer.h"
#include "reception/keyed_marks.h"
#include "reception/reception_conditions.h"

namespace brivo::reception {

// The levels a render with conditions works at, for the display.
struct SignalLevels {
    double snr2500Db = 0; // the same noise over 2500 Hz
    int signalS = 0;      // S-units (IARU: 6 dB each) with the noise floor at kNoiseFloorS in 2500 Hz
    int noiseS = 0;
};
inline constexpr int kNoiseFloorS = 3;
SignalLevels signalLevels(double snrDb);

// Renders the request as a receiver would hear it with `conditions` (which
// checkConditions accepted): key-downs from the plain timeline, or the
// ARRL one, shaped by the keying envelope, on a phase-continuous oscillator
// (with chirp), through the fading; other stations and the plain or
// Gaussian noise, atmospherics, then the receiver's filter. With noise or
// other signals, the receiver's gain control (ReceiverAgc) keeps the peaks
// at the signal's level, -6 dBFS at most; a clean signal keeps the
// plain level. The same file as renderMorseFile otherwise: format,
// header, errors and progress. Every random draw comes from `random`, so
// its seed gives the same file.
Result<RenderedFile> renderReceptionFile(const RenderRequest& request, const MorseTable& table,
                                         const ReceptionConditions& conditions, RandomGenerator& random,
                                         const RenderProgress& progress = {});

// The same samples, given to `sink` (see renderMorseSamples); the band
// goes on through each opening, and only the keying waits.
Result<RenderedFile> renderReceptionSamples(const RenderRequest& request, const MorseTable& table,
                                            const ReceptionConditions& conditions, RandomGenerator& random,
                                            const SampleSink& sink, const RenderProgress& progress = {},
                                            const Openings& openings = {});

// The sample count of the render with these conditions.
std::uint64_t renderedSampleCount(const RenderRequest& request, const MorseTable& table,
                                  const ReceptionConditions& conditions);

// False when the render with these conditions would exceed what a WAV
// header can declare.
bool fitsInWavFile(const RenderRequest& request, const MorseTable& table, const ReceptionConditions& conditions);

// The key-downs of the file the request renders with `conditions` (none
// set: the plain render, whose units are whole samples), in seconds
// from its start.
KeyedMarks renderedMarks(const RenderRequest& request, const MorseTable& table, const ReceptionConditions& conditions);

// Which renderer a request takes: the plain one when no condition is set.
Result<RenderedFile> renderWithConditions(const RenderRequest& request, const MorseTable& table,
                                          const ReceptionConditions& conditions, RandomGenerator& random,
                                          const RenderProgress& progress = {});
Result<RenderedFile> renderSamples(const RenderRequest& request, const MorseTable& table,
                                   const ReceptionConditions& conditions, RandomGenerator& random,
                                   const SampleSink& sink, const RenderProgress& progress = {},
                                   const Openings& openings = {});

} // namespace brivo::reception
