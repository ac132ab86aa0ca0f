#include "real_platform.h"

#include "platform/folders.h"
#include "platform/hot_keys.h"
#include "platform/launcher.h"
#include "platform/qt/qt_file_chooser.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_timer_host.h"
#include "platform/qt/settings_profile.h"
#include "platform/screen.h"
#include "platform/tone.h"

RealPlatform::RealPlatform()
    : m_profile(std::make_unique<SettingsProfile>()),
      m_messageBox(std::make_unique<QtMessageBox>()),
      m_fileChooser(std::make_unique<QtFileChooser>()), m_backends(MakeBackends(*m_profile)),
      m_pShare(m_backends.share) {}

RealPlatform::~RealPlatform() = default;

PlatformServices RealPlatform::Services() {
    return {*m_backends.screen, m_backends.tone,     *m_backends.launcher, *m_profile,
            *m_messageBox,      *m_backends.hotKeys, *m_fileChooser,       *m_backends.folders};
}

void RealPlatform::WithoutDisplay() {
    m_messageBox->WithoutDisplay();
}

std::unique_ptr<ITimerHost>
RealPlatform::MakeTimerHost(std::function<void(std::span<const std::uintptr_t>)> onTicks) {
    return std::make_unique<QtTimerHost>(std::move(onTicks));
}
