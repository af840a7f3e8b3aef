#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "accessibility.h"
#include "layout.h"
#include "property.h"

class QSlider;

namespace tallimo {

class TickTimer;

// mainWindow on Qt: its controls built from layoutTable, the property operations over them, and
// the five events turned into calls of whatever handles them.
class MainWindow : public QWidget, public PropertyHost {
  public:
    // Builds the window hidden, with events suppressed until raiseCreated.
    explicit MainWindow(EventSink sink = runBoundHandler);
    ~MainWindow() override;

    // Makes this window the one the handlers read and write, until it is destroyed, then ends
    // the suppression and raises the window's created event.
    void raiseCreated();

    QWidget* control(ControlId id) const;

    PropertyValue read(ControlId window, ControlId control, PropertyKind kind) override;
    void write(ControlId window, ControlId control, PropertyKind kind,
               const PropertyValue& value) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControl(const ControlLayout& layout);
    void setCaption(const ControlLayout& layout, QWidget* widget, std::string gbk);
    void raiseEvent(ControlId source);
    void reportSliderPosition();
    void stopEvents();
    const ControlLayout& layoutOf(ControlId window, ControlId control) const;

    EventSink sink_;
    bool eventsSuppressed_ = true;
    std::map<ControlId, QWidget*> controls_;
    std::map<ControlId, std::string> captions_;
    TickTimer* tickTimer_ = nullptr;
    QSlider* slider_ = nullptr;
    std::int32_t sliderPosition_ = 0;
    Announcer announcer_{this};
};

}  // namespace tallimo
