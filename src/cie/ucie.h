// The colorimetry control: a fixed-size panel that a window hosts. It gives
// X, Y, Z, x, y, u' and v' of a 1-nm spectrum for the 2 degree and the
// 10 degree standard observers, shows the colour-matching functions and the
// illuminants, and tells its host when the user picks another illuminant.
//
// Hosts drive it through this class or by name through its meta-object:
// the results and display options are properties, the calculations are
// invokable, the illuminant codes are the enumeration IlluminateFile.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <span>

#include "cie/cie_api.h"

class DiagramPicture;

// The host's saved properties: names with values, kept in the order written.
class CIE_API PropertyBag {
public:
    // The stored value, or the default when the name was never written.
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue) const;
    // Stores the value (replacing an earlier one in its place).
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue);
    QStringList Names() const;

private:
    QList<QPair<QString, QVariant>> entries_;
};

class CIE_API UCIE : public QWidget {
    Q_OBJECT
    Q_PROPERTY(IlluminateFile SelectedIllFile READ SelectedIllFile WRITE setSelectedIllFile)
    Q_PROPERTY(bool ShowChromaticity READ ShowChromaticity WRITE setShowChromaticity)
    Q_PROPERTY(bool ShowColorFunctions READ ShowColorFunctions WRITE setShowColorFunctions)
    Q_PROPERTY(bool ShowIlluminates READ ShowIlluminates WRITE setShowIlluminates)
    Q_PROPERTY(bool ShowPoint READ ShowPoint WRITE setShowPoint)
    Q_PROPERTY(bool ShowGrid READ ShowGrid WRITE setShowGrid)
    Q_PROPERTY(bool ShowWavelengths READ ShowWavelengths WRITE setShowWavelengths)
    Q_PROPERTY(float x2bar READ x2bar)
    Q_PROPERTY(float y2bar READ y2bar)
    Q_PROPERTY(float z2bar READ z2bar)
    Q_PROPERTY(float x10bar READ x10bar)
    Q_PROPERTY(float y10bar READ y10bar)
    Q_PROPERTY(float z10bar READ z10bar)
    Q_PROPERTY(float nx2 READ nx2)
    Q_PROPERTY(float nx10 READ nx10)
    Q_PROPERTY(float ny2 READ ny2)
    Q_PROPERTY(float ny10 READ ny10)
    Q_PROPERTY(float u_prime_2 READ u_prime_2)
    Q_PROPERTY(float u_prime_10 READ u_prime_10)
    Q_PROPERTY(float v_prime_2 READ v_prime_2)
    Q_PROPERTY(float v_prime_10 READ v_prime_10)
    Q_PROPERTY(float k2 READ k2)
    Q_PROPERTY(float k10 READ k10)
    Q_PROPERTY(qint32 ill_file READ ill_file)
    Q_PROPERTY(qint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(qint32 ForeColor READ ForeColor WRITE setForeColor)

public:
    enum IlluminateFile { ifNone = 0, ifA = 1, ifB = 2, ifC = 3, ifD65 = 4 };
    Q_ENUM(IlluminateFile)

    explicit UCIE(QWidget* parent = nullptr);
    ~UCIE() override;

    // The colorimetry of `buffer`, one value per nanometre, element j being
    // the sample at wlStart + j nm; lType is the host's data-type code (1 and
    // 6 are weighted by `ill`). Shows the results on the first tab. Throws
    // CieError (an exception derived from std::runtime_error carrying the
    // error number) and then leaves the labels as they were.
    Q_INVOKABLE void CalcColorimetry(const QList<double>& buffer, qint32 lType, qint32 wlStart,
                                     UCIE::IlluminateFile ill);
    void CalcColorimetry(std::span<const double> buffer, std::int32_t lType, std::int32_t wlStart,
                         std::int32_t ill);
    // Blanks the shown results; the result properties keep their values.
    Q_INVOKABLE void ClearCIE();
    // Zeroes the results and loads the built-in tables if not yet loaded.
    Q_INVOKABLE void InitCIEEx();
    // Loads the tables from the text files named after them beside the
    // library, if not yet loaded. Throws CieError naming the file.
    Q_INVOKABLE void InitCIE();

    IlluminateFile SelectedIllFile() const;
    void setSelectedIllFile(IlluminateFile value);
    bool ShowChromaticity() const;
    void setShowChromaticity(bool value);
    bool ShowColorFunctions() const;
    void setShowColorFunctions(bool value);
    bool ShowIlluminates() const;
    void setShowIlluminates(bool value);
    bool ShowPoint() const;
    void setShowPoint(bool value);
    bool ShowGrid() const;
    void setShowGrid(bool value);
    bool ShowWavelengths() const;
    void setShowWavelengths(bool value);

    float x2bar() const;
    float y2bar() const;
    float z2bar() const;
    float x10bar() const;
    float y10bar() const;
    float z10bar() const;
    float nx2() const;
    float nx10() const;
    float ny2() const;
    float ny10() const;
    float u_prime_2() const;
    float u_prime_10() const;
    float v_prime_2() const;
    float v_prime_10() const;
    float k2() const;
    float k10() const;
    qint32 ill_file() const;

    // Colours as 24-bit values with red in the low byte. BackColor reads the
    // container's background and sets the control's own.
    qint32 BackColor() const;
    void setBackColor(qint32 value);
    qint32 ForeColor() const;
    void setForeColor(qint32 value);

    // Saved properties. Each changes the fields only: what the panel shows
    // stays as it is until the host sets a property or the user acts.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

signals:
    // The user picked another illuminant in the panel's list.
    void IlluminateFileChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Panel;
    struct State;
    std::unique_ptr<Panel> panel_;
    std::unique_ptr<State> state_;

    void BuildPanel();
    void ShowResults();
    int SelectedObserver() const;

    // The chromaticity diagram.
    void SetupDiagram();
    void DrawChromaticity(int observer);
    void DrawGrid(DiagramPicture& picture, const QString& title);
    void DrawWavelengthLabels(DiagramPicture& picture, int observer);
    // Both tell whether they put the picture on screen, so that a caller
    // about to show the bare diagram need not show it first.
    bool PlotEnteredPoint();
    bool PlotXYZPoint(float X, float Y, float Z);
    void RepaintDiagram();

    void InitGraphs();
    void DrawColorFunctionGraph(int observer);
    void DrawIlluminantGraph(int mask);

    void cboIlluminate_Click(int index);
    void optCIE_Click(int index);
    void chkIlluminate_Click();
    void chkShowPoint_Click();
    void chkShowGrid_Click();
    void chkShowWavelengths_Click();
    void txtGamma_LostFocus();
    void PointBox_LostFocus(int index);
};
