#include "platform/ui/MouseCapture.h"

#include <QWidget>

bool MouseCapture::Captured() { return QWidget::mouseGrabber() != nullptr; }
