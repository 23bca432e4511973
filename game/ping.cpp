// The online ping: one GET at start-up announcing the game's number, sent only when the player asks for it
// by naming the address in QUARZEL_PING_URL (a full "http://host:port/housecall.php" address); otherwise no
// connection is ever made. The game never waits for the answer: the request runs on the HTTP client's worker
// operations and its completion arrives during the asynchronous event update of a later frame update. An
// answer only sets m_pingDone and, when it has text, ko_Quarzel_Zeb_On_Able. The answer reaches the game
// through the host right after that event update (KoGame::PingOutcome), so a replay answers it from its file,
// in the same update, and sends nothing.
#include <cstdlib>
#include <cstring>

#include "game/my_app.h"
#include "host/core/game.h"
#include "runtime/errors.h"

// Reads QUARZEL_PING_URL: when set and not empty, the ping is allowed and goes to that address.
int c_MyApp::p_PingFromEnvironment() {
  const char* address = std::getenv("QUARZEL_PING_URL");
  if (!address || !*address) return 0;
  m_pingUrl = String::FromUtf8(address, static_cast<int>(std::strlen(address)));
  ko_Quarzel_Zeb_On_Allow = 1;
  return 0;
}

int c_MyApp::p_GetURL(String url, String query) {
  m_pingReply = String("N/A");
  m_pingOutcome = KoPingOutcome();
  m_pingDone = 0;
  if (!KoGame::_game->SendsRequests()) return 0;
  auto* request = new c_HttpRequest;
  request->p_Open(String("GET"), url + String("?") + query, this);
  m_pingRequest = request;
  request->p_Send();
  koPrint(String("Requesting URL"));
  return 0;
}

// A failed connection or an error status completes here too, with whatever the client got; there is no retry.
void c_MyApp::p_OnHttpRequestComplete(c_HttpRequest* request) {
  if (request != m_pingRequest) return;
  m_pingOutcome.ready = true;
  m_pingOutcome.status = request->p_Status();
  m_pingOutcome.reply = request->p_ResponseText();
}

// Once per update while the answer is awaited, right after the network's completions.
int c_MyApp::p_TakePingOutcome() {
  if (m_pingDone == 1) return 0;
  const KoPingOutcome outcome = KoGame::_game->PingOutcome(m_pingOutcome);
  if (!outcome.ready) return 0;
  koPrint(String("Http GET complete! ") + String(outcome.status));
  m_pingDone = 1;
  m_pingReply = outcome.reply;
  if (m_pingReply.Length() > 0) ko_Quarzel_Zeb_On_Able = 1;
  return 0;
}
