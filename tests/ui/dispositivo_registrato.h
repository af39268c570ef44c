#pragma once
// A paint device that records the texts drawn on it and where: the printout
// can be checked line by line without a printer.

#include <QFont>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QString>

namespace qv::prova {

struct TestoDisegnato {
    QPointF base; // left end of the baseline
    QString testo;
    QFont carattere;
};

class MotoreRegistrato : public QPaintEngine {
public:
    MotoreRegistrato() : QPaintEngine(QPaintEngine::AllFeatures) {}
    QList<TestoDisegnato> testi;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& t) override {
        testi.append({p, t.text(), t.font()});
    }
    Type type() const override { return QPaintEngine::User; }
};

// An A4 page at 300 dpi.
class DispositivoRegistrato : public QPaintDevice {
public:
    mutable MotoreRegistrato motore;
    QPaintEngine* paintEngine() const override { return &motore; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return 2480;
        case PdmHeight:
            return 3508;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 300;
        case PdmDepth:
            return 24;
        case PdmNumColors:
            return 0xffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }
};

} // namespace qv::prova
