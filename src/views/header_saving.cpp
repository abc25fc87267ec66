// Saving the fields edited in the header window into the listed file.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>
#include <optional>

#include "frame/replace_file.h"
#include "platform/text/codepage.h"
#include "platform/text/convert.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "views/header_window.h"

// The new value of every field whose control the user changed; a field left
// out is written back exactly as the file holds it.
struct HeaderEdits {
    std::optional<std::string> Comment;  // single-byte text, at most 155 bytes
    std::optional<int16_t> InstrumentNumber;
    std::optional<int16_t> CalibrationNumber;
    std::optional<int16_t> ForeopticCode;
    std::optional<uint8_t> FormatVersion;
    std::optional<uint8_t> DataType;
    std::optional<float> Channel1Wavelength;
    std::optional<float> WavelengthStep;
    std::optional<int32_t> IntegrationTime;
    std::optional<int16_t> Swir1Gain;
    std::optional<int16_t> Swir1Offset;
    std::optional<int16_t> Swir2Gain;
    std::optional<int16_t> Swir2Offset;
};

namespace {

constexpr std::size_t CommentLimit = 155;

// A box's text converted as its field needs; the conversion's own error
// description when it fails (a text that is no number, or one that does not
// fit the field).
template <typename Convert>
auto Convert_(const QLineEdit* box, Convert convert, std::string& error)
    -> std::optional<decltype(convert(0.0))> {
    try {
        return convert(CDbl(box->text().toStdString()));
    } catch (const VbError& fault) {
        error = fault.what();
        return std::nullopt;
    }
}

std::optional<int16_t> ToInteger(const QLineEdit* box, std::string& error) {
    return Convert_(
        box, [](double v) { return CInt(v); }, error);
}

std::optional<int16_t> ToInteger(const QLineEdit* box) {
    std::string error;
    return ToInteger(box, error);
}

bool Refuse(const std::string& message) {
    MsgBox(message, vbOKOnly + vbExclamation, AppTitle);
    return false;
}

// "M.m" as the version byte M * 16 Or m; nothing for a caption that is not
// such a number or whose result is no version byte. A minor part above 15
// would spill into the major one ("2.20" would give 3.04).
std::optional<uint8_t> VersionByte(const std::string& caption) {
    const auto dot = caption.find('.');
    if (!ParseDouble(caption) || dot == std::string::npos) {
        return std::nullopt;
    }
    try {
        const int32_t major = CLng(CDbl(caption.substr(0, dot)) * 16);
        const int32_t minor = CLng(CDbl(caption.substr(dot + 1)));
        const int32_t version = major | minor;
        if (minor < 0 || minor > 15 || version < 0 || version > 255) {
            return std::nullopt;
        }
        return static_cast<uint8_t>(version);
    } catch (const VbError&) {
        return std::nullopt;
    }
}

void ApplyEdits(const HeaderEdits& edits, SpectrumHeader& header) {
    if (edits.Comment) {
        // The bytes behind the line end keep what they held.
        const std::string& text = *edits.Comment;
        std::copy(text.begin(), text.end(), header.Comment.begin());
        header.Comment[text.size()] = 13;
        header.Comment[text.size() + 1] = 10;
    }
    const auto apply = [](const auto& edit, auto& field) {
        if (edit) {
            field = *edit;
        }
    };
    apply(edits.InstrumentNumber, header.InstrumentNumber);
    apply(edits.CalibrationNumber, header.CalibrationNumber);
    apply(edits.ForeopticCode, header.ForeopticCode);
    apply(edits.FormatVersion, header.FormatVersion);
    apply(edits.DataType, header.DataType);
    apply(edits.Channel1Wavelength, header.Channel1Wavelength);
    apply(edits.WavelengthStep, header.WavelengthStep);
    apply(edits.IntegrationTime, header.IntegrationTime);
    apply(edits.Swir1Gain, header.Swir1Gain);
    apply(edits.Swir1Offset, header.Swir1Offset);
    apply(edits.Swir2Gain, header.Swir2Gain);
    apply(edits.Swir2Offset, header.Swir2Offset);
}

void ShowFileError(const std::string& name, const std::string& error) {
    MsgBox("File Error\r" + name + " " + error + ".", vbOKOnly + vbExclamation, AppTitle);
}

// The file as it is now, whole. False after the reader's message when it no
// longer reads as a spectrum file; the loaded spectrum is not touched.
bool ReadFileToRewrite(const std::string& name, std::vector<uint8_t>& bytes,
                       SpectrumHeader& header) {
    std::string error;
    if (!LoadSpectrumFileBytes(name, bytes, error)) {
        ShowFileError(name, error);
        return false;
    }
    LoadedSpectrum file;
    if (!ParseSpectrumFileOrReport(name, bytes, file)) {
        return false;
    }
    header = file.Header;
    return true;
}

}  // namespace

bool frmHeader::CollectEdits(HeaderEdits& edits) {
    if (Changed(Text1)) {
        std::string comment = Utf8ToAnsi(Text1->text().toStdString());
        if (comment.size() > CommentLimit) {
            MsgBox("Comment Limited to 155 Characters", vbOKOnly + vbInformation, AppTitle);
            comment.resize(CommentLimit);
            Text1->setText(QString::fromStdString(AnsiToUtf8(comment)));
        }
        edits.Comment = comment;
    }

    const auto instrument = ToInteger(Text7);
    if (!instrument) {
        return Refuse("Error in Instrument Number");
    }
    const auto calibration = ToInteger(Text8);
    if (!calibration) {
        return Refuse("Error in Calibration Number");
    }
    std::optional<int16_t> foreoptic;
    if (Combo1->currentText() == QStringLiteral("Undefined")) {
        foreoptic = ForeopticUndefined;
    } else {
        foreoptic = ToInteger(Combo1->lineEdit());
    }
    if (!foreoptic) {
        return Refuse("Error in Foreoptic ID");
    }
    if (Changed(Text7)) {
        edits.InstrumentNumber = instrument;
    }
    if (Changed(Text8)) {
        edits.CalibrationNumber = calibration;
    }
    if (Changed(Combo1)) {
        edits.ForeopticCode = foreoptic;
    }
    if (Changed(Label4)) {
        edits.FormatVersion = VersionByte(Label4->text().toStdString());
    }
    // A code the list has no entry for shows as "Other"; only a choice of the
    // user replaces it.
    if (Changed(Combo2) && Combo2->currentIndex() >= 0) {
        edits.DataType = static_cast<uint8_t>(Combo2->currentIndex());
    }
    return !EditMode || CollectInstrumentEdits(edits);
}

bool frmHeader::CollectInstrumentEdits(HeaderEdits& edits) {
    std::string error;
    const auto toSingle = [](double v) { return CSng(v); };
    const auto start = Convert_(Text9, toSingle, error);
    if (!start || *start < 0) {
        return Refuse("Error in Wavelength Start");
    }
    const auto step = Convert_(Text10, toSingle, error);
    if (!step || *step <= 0) {
        return Refuse("Error in Wavelength Step");
    }
    if (Changed(Text9)) {
        edits.Channel1Wavelength = start;
    }
    if (Changed(Text10)) {
        edits.WavelengthStep = step;
    }
    if (!Text6->isHidden()) {
        const auto time = Convert_(
            Text6, [](double v) { return CLng(v); }, error);
        if (!time || *time < 1) {
            return Refuse("Error in Integration Time");
        }
        if (Changed(Text6)) {
            edits.IntegrationTime = time;
        }
    }
    struct SwirBox {
        QLineEdit* box;
        const char* message;
        std::optional<int16_t> HeaderEdits::*field;
    };
    const SwirBox swir[] = {
        {Text2, "Error in Swir 1 Gain ", &HeaderEdits::Swir1Gain},
        {Text3, "Error in Swir 1 Offset", &HeaderEdits::Swir1Offset},
        {Text4, "Error in Swir 2 Gain", &HeaderEdits::Swir2Gain},
        {Text5, "Error in Swir 2 Offset", &HeaderEdits::Swir2Offset},
    };
    for (const SwirBox& entry : swir) {
        if (entry.box->isHidden()) {
            continue;
        }
        error.clear();
        const auto value = ToInteger(entry.box, error);
        if (!value || *value < 1) {
            // Only the gain of the first detector says why the conversion
            // failed; a value below 1 has no error to tell.
            return Refuse(std::string(entry.message) + (entry.box == Text2 ? error : ""));
        }
        if (Changed(entry.box)) {
            edits.*entry.field = value;
        }
    }
    return true;
}

bool frmHeader::SaveSpectrumHeader() {
    HeaderEdits edits;
    if (!CollectEdits(edits)) {
        return false;
    }
    // Only the header changes: the values, the reference and every section
    // behind them (calibrations, 16-bit legacy data) are the file's own bytes.
    std::vector<uint8_t> bytes;
    SpectrumHeader header;
    if (!ReadFileToRewrite(ListedFileName, bytes, header)) {
        return false;
    }
    ApplyEdits(edits, header);
    const std::vector<uint8_t> written = HeaderBytes(header);
    std::copy(written.begin(), written.end(), bytes.begin());
    if (!ReplaceFile(ListedFileName, bytes)) {
        return false;
    }
    CurrentHeader = header;
    IsDirty = false;
    RememberShownValues();
    return true;
}
