// An icon: its picture, kept as an image so that it outlives any QApplication.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <memory>

struct HICON__ {
    QImage image;  // the big (32 by 32) picture
    QIcon Icon() const;
};

// A paint context: the painter open on a window's widget for one paint event.
struct HDC__ {
    std::unique_ptr<QPainter> painter;
};
