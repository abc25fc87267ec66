#include "spectrum/stamps.h"

void SetFileSignature(int16_t /*Version*/, SpectrumHeader& Header) {
    Header.Signature = {'Z', 'E', 'L'};
    Header.ValueFormat = ValueSingle;
    Header.FormatVersion = 16;
}

void ClearApplicationData(SpectrumHeader& Header) {
    Header.ApplicationCode = AppNone;
    Header.ApplicationData.Second.fill(0);
}

namespace {

// A derived header is the whole source record; the oldest single-detector
// instruments are relabelled as the model that derived data is treated as.
SpectrumHeader DerivedFrom(const SpectrumHeader& source) {
    SpectrumHeader dest = source;
    if (source.InstrumentType == Swir0 || source.InstrumentType == Vnir1) {
        dest.InstrumentType = Vnir3;
    }
    return dest;
}

}  // namespace

void MakeRadianceHeader(SpectrumHeader& Dest, const SpectrumHeader& Source) {
    Dest = DerivedFrom(Source);
    Dest.DataType = Radiance;
}

void MakeIrradianceHeader(SpectrumHeader& Dest, const SpectrumHeader& Source) {
    Dest = DerivedFrom(Source);
    Dest.DataType = Irradiance;
}

void MakeInterpolatedHeader(SpectrumHeader& Dest, const SpectrumHeader& Source, double Start,
                            double Stepsize, int16_t Channels) {
    Dest = DerivedFrom(Source);
    Dest.ValueFormat = ValueSingle;
    Dest.Channel1Wavelength = static_cast<float>(Start);
    Dest.WavelengthStep = static_cast<float>(Stepsize);
    Dest.ChannelCount = Channels;
}

void MakeQiHeader(SpectrumHeader& Dest, const SpectrumHeader& Source, int16_t Channels) {
    Dest = DerivedFrom(Source);
    Dest.ValueFormat = ValueSingle;
    Dest.DataType = QuantumIntensity;
    Dest.ChannelCount = Channels;
}
