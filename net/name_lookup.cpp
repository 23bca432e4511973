// The resolver slot and lookups that a deadline bounds. See name_lookup.h.
#include "net/name_lookup.h"

#include <condition_variable>
#include <memory>
#include <mutex>

#include "runtime/errors.h"
#include "runtime/thread.h"

namespace {

std::mutex ko_socket__resolverLock;
NameResolver ko_socket__resolver = ko_socket_SystemResolver;

NameResolver current_resolver() {
  std::lock_guard<std::mutex> hold(ko_socket__resolverLock);
  return ko_socket__resolver;
}

// What a bounded lookup and its thread share: the thread writes the answer once, under the lock; the waiter
// reads it only after seeing `answered`. Either side may be the last to let go of it.
struct LookupShare {
  std::mutex lock;
  std::condition_variable signal;
  bool answered = false;
  bool found = false;
  uint32_t address = 0;
};

// The lookup thread's own copies: nothing of the caller is left to touch once the caller has given up.
struct LookupJob {
  std::string name;
  NameResolver resolver;
  std::shared_ptr<LookupShare> share;

  void Run() {
    uint32_t address = 0;
    bool found = resolver(name, &address);
    std::lock_guard<std::mutex> hold(share->lock);
    share->answered = true;
    share->found = found;
    share->address = address;
    share->signal.notify_one();
  }

  // The lookup thread's entry: it owns the job and ends it.
  static void* RunOwned(void* job) {
    std::unique_ptr<LookupJob> owned(static_cast<LookupJob*>(job));
    koRunWorker([](void* lookup) { static_cast<LookupJob*>(lookup)->Run(); }, owned.get());
    return nullptr;
  }
};

}  // namespace

NameResolver ko_socket_SetNameResolver(NameResolver resolver) {
  std::lock_guard<std::mutex> hold(ko_socket__resolverLock);
  ko_socket__resolver.swap(resolver);
  return resolver;
}

bool ko_socket_LookUp(const std::string& name, uint32_t* address, LookupDeadline deadline) {
  if (deadline == kNoDeadline) return current_resolver()(name, address);
  auto share = std::make_shared<LookupShare>();
  auto job = std::make_unique<LookupJob>(LookupJob{name, current_resolver(), share});
  if (!koStartDetachedThread(LookupJob::RunOwned, job.get())) return false;  // then it could not be bounded
  job.release();  // the thread's now
  std::unique_lock<std::mutex> hold(share->lock);
  if (!share->signal.wait_until(hold, deadline, [&] { return share->answered; })) return false;
  *address = share->address;
  return share->found;
}
