#pragma once
// What the embedded browser (Qt WebEngine) needs before the application
// object exists. Its renderer's sandbox cannot run for the superuser and
// there is no GPU on headless machines, so for root it gets "--no-sandbox
// --disable-gpu" unless QTWEBENGINE_CHROMIUM_FLAGS says otherwise.

namespace qv::platform {

void prepareWebEngine();

} // namespace qv::platform
