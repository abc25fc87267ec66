// Log 1/R and the first and second derivatives of the spectrum read last, for
// the graph and colorimetry windows, the exports, the statistics and the
// derivative batches. Each starts from the reflectance against the stored
// white reference, so the caller has checked that the loaded file has one
// (version 2 or later, ReferenceFlag not 0).
//
// Every stage of the chain stays in its array after a call: after
// ComputeLog1RDeriv2, ReflectanceData holds R, Log1RData log 1/R,
// FirstDerivData its first and SecondDerivData its second derivative.
// DisplayData holds the result of the last stage. Each result has as many
// entries as SpectrumData.
//
// Each returns true when it wrote its result. False means nothing is loaded
// or the reflectance could not be formed (the user has been told why); the
// transform's own arrays then keep what they held, and a caller must not take
// them for this spectrum's.
#pragma once

// ReflectanceData -> Log1RData.
bool ComputeLog1R();

// Gap difference (DerivativeGap) of ReflectanceData -> FirstDerivData.
bool ComputeReflectanceDeriv1();

// Gap difference of Log1RData -> FirstDerivData.
bool ComputeLog1RDeriv1();

// ComputeReflectanceDeriv1, then the gap difference of FirstDerivData ->
// SecondDerivData.
bool ComputeReflectanceDeriv2();

// ComputeLog1RDeriv1, then the gap difference of FirstDerivData ->
// SecondDerivData.
bool ComputeLog1RDeriv2();
