#include "platform/qt/canberra_sound.h"

#include <canberra.h>

#include <QFileInfo>
#include <QMetaObject>

namespace zelvor {

CanberraSound::CanberraSound() {
  ca_context* c = nullptr;
  if (ca_context_create(&c) != CA_SUCCESS) return;
  ca_context_change_props(c, CA_PROP_APPLICATION_NAME, "Zelvor", CA_PROP_APPLICATION_ID, "zelvor", nullptr);
  if (ca_context_open(c) != CA_SUCCESS) {
    ca_context_destroy(c);
    return;
  }
  context_ = c;
}

CanberraSound::~CanberraSound() {
  currentId_ = 0;
  // Destroying the context cancels what plays and waits for its threads,
  // so no callback can reach this object afterwards.
  if (context_ != nullptr) ca_context_destroy(context_);
}

bool CanberraSound::play(const std::string& file, bool loop) {
  stop();
  if (context_ == nullptr || file.empty()) return false;
  const QFileInfo info(QString::fromStdString(file));
  isFile_ = info.exists();
  // Only a bare name can be a theme event; a path that does not exist is not played.
  if (!isFile_ && file.find('/') != std::string::npos) return false;
  if (isFile_ && !info.isFile()) return false;
  name_ = file;
  loop_ = loop;
  return start();
}

bool CanberraSound::start() {
  ca_proplist* props = nullptr;
  if (ca_proplist_create(&props) != CA_SUCCESS) return false;
  if (isFile_) {
    ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME, name_.c_str());
  } else {
    ca_proplist_sets(props, CA_PROP_EVENT_ID, name_.c_str());
  }
  ca_proplist_sets(props, CA_PROP_CANBERRA_CACHE_CONTROL, "never");
  const std::uint32_t id = nextId_++;
  currentId_ = id;
  const int rc = ca_context_play_full(context_, id, props, &CanberraSound::finished, this);
  ca_proplist_destroy(props);
  playing_ = rc == CA_SUCCESS;
  if (!playing_) currentId_ = 0;
  return playing_;
}

void CanberraSound::finished(ca_context*, std::uint32_t id, int errorCode, void* self) {
  // Called on one of libcanberra's threads: hand the news to the UI thread.
  auto* sound = static_cast<CanberraSound*>(self);
  if (sound->currentId_ != id) return;
  QMetaObject::invokeMethod(
      sound,
      [sound, id, errorCode] {
        if (sound->currentId_ != id) return;
        sound->playing_ = false;
        sound->currentId_ = 0;
        if (sound->loop_ && errorCode == CA_SUCCESS) (void)sound->start();
      },
      Qt::QueuedConnection);
}

void CanberraSound::stop() {
  const std::uint32_t id = currentId_.exchange(0);
  playing_ = false;
  loop_ = false;
  if (context_ != nullptr && id != 0) ca_context_cancel(context_, id);
}

}  // namespace zelvor
