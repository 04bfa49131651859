#include "platform/mfc/gdi.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <map>
#include <memory>
#include <utility>

#include "platform/mfc/detail/icon.h"
#include "platform/mfc/detail/window.h"
#include "platform/mfc/resource_module.h"
#include "platform/mfc/wnd.h"

namespace {

constexpr int kIconSize = 32;

}  // namespace

QIcon HICON__::Icon() const {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(image));
    icon.addPixmap(
        QPixmap::fromImage(image.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    return icon;
}

HICON LoadIconW(HINSTANCE module, UINT resourceId) {
    static std::map<std::pair<HINSTANCE, UINT>, std::unique_ptr<HICON__>> loaded;
    auto& icon = loaded[{module, resourceId}];
    if (!icon) {
        const IconResource* resource = FindIconResource(module, resourceId);
        if (resource == nullptr) {
            loaded.erase({module, resourceId});
            return nullptr;
        }
        QImage image(resource->xpm.data());
        icon = std::make_unique<HICON__>(HICON__{
            image.scaled(kIconSize, kIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)});
    }
    return icon.get();
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    if (dc == nullptr || icon == nullptr) {
        return FALSE;
    }
    dc->painter->drawImage(x, y, icon->image);
    return TRUE;
}

int GetSystemMetrics(int index) {
    return index == SM_CXICON || index == SM_CYICON ? kIconSize : 0;
}

CPaintDC::CPaintDC(CWnd* window)
    : context_(std::make_unique<HDC__>(HDC__{std::make_unique<QPainter>(window->m_hWnd->widget)})),
      m_hDC(context_.get()) {}

CPaintDC::~CPaintDC() = default;
