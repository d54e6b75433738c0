#pragma once

#include "app/toolkit/ControlUI.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

namespace ravo {

// A chart of named values: a pie ("view" = "pie") or bars ("view" = "histpgram", the name the
// layouts use). Further attributes: "shadowimage" and "shadowimageheight" (an image under the
// chart), "pillarimage" and "pillarimagewidth" (the bar image and width), "showtext" (item
// names and values drawn), "showhtml" (accepted; texts are plain), "font" (pixel size).
class CChartViewUI : public CControlT<QWidget> {
public:
    static constexpr const char* kClassName = "ChartView";
    enum class View { Pie, Histogram };

    struct Item {
        QString name;
        double value = 0;
        QColor colour;
    };

    explicit CChartViewUI(QWidget* parent = nullptr);
    CDuiString GetClass() const override { return kClassName; }
    bool SetAttribute(const CDuiString& name, const CDuiString& value) override;

    void AddItem(const QString& name, double value, QColor colour = QColor());
    void RemoveAll();
    const std::vector<Item>& Items() const { return m_items; }
    View GetView() const { return m_view; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintPie(QPainter& p, const QRect& area);
    void PaintBars(QPainter& p, const QRect& area);
    QColor ColourOf(size_t index) const;

    std::vector<Item> m_items;
    View m_view = View::Pie;
    CDuiString m_shadowImage;
    int m_shadowHeight = 0;
    CDuiString m_pillarImage;
    int m_pillarWidth = 0;
    bool m_showText = true;
    bool m_showHtml = false;
    int m_fontSize = 11;
};

}  // namespace ravo
