// The resolver slot and lookups that a deadline bounds. See name_lookup.h.
#include "net/name_lookup.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "runtime/errors.h"

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
  try {
    std::thread([job = LookupJob{name, current_resolver(), share}]() mutable {
      koRunWorker([](void* lookup) { static_cast<LookupJob*>(lookup)->Run(); }, &job);
    }).detach();
  } catch (const std::system_error&) {
    return false;  // without a thread of its own the lookup could not be bounded
  }
  std::unique_lock<std::mutex> hold(share->lock);
  if (!share->signal.wait_until(hold, deadline, [&] { return share->answered; })) return false;
  *address = share->address;
  return share->found;
}
