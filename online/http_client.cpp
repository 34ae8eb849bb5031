#include "online/http_client.h"

#include <curl/curl.h>

#include <memory>

namespace online {
namespace {

struct Transfer {
  std::string body;
  std::size_t maxBody = 0;
  bool tooLong = false;
  const std::atomic<bool>* cancel = nullptr;
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const std::size_t bytes = size * count;
  if (transfer->body.size() + bytes > transfer->maxBody) {
    transfer->tooLong = true;
    return 0;  // curl ends the transfer with a write error
  }
  transfer->body.append(data, bytes);
  return bytes;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* transfer = static_cast<const Transfer*>(user);
  return (transfer->cancel && transfer->cancel->load()) ? 1 : 0;
}

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

struct HeadersDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

}  // namespace

HttpClient::HttpClient(HttpOptions options) : options_(options) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
}

HttpClient::~HttpClient() {
  curl_global_cleanup();
}

HttpReply HttpClient::Get(const std::string& url, const std::atomic<bool>* cancel) const {
  return Perform(url, nullptr, cancel);
}

HttpReply HttpClient::Post(const std::string& url, const std::vector<std::uint8_t>& body,
                           const std::atomic<bool>* cancel) const {
  return Perform(url, &body, cancel);
}

HttpReply HttpClient::Perform(const std::string& url, const std::vector<std::uint8_t>* postBody,
                              const std::atomic<bool>* cancel) const {
  HttpReply reply;
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (!easy) {
    reply.error = "no HTTP handle";
    return reply;
  }
  Transfer transfer;
  transfer.maxBody = options_.maxBodyBytes;
  transfer.cancel = cancel;

  CURL* e = easy.get();
  curl_easy_setopt(e, CURLOPT_URL, url.c_str());
  std::unique_ptr<curl_slist, HeadersDeleter> headers;
  if (postBody) {
    // No "Expect: 100-continue": the body follows the headers at once.
    headers.reset(curl_slist_append(nullptr, "Content-Type: application/octet-stream"));
    headers.reset(curl_slist_append(headers.release(), "Expect:"));
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(e, CURLOPT_POST, 1L);
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, postBody->data());
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(postBody->size()));
  } else {
    curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
  }
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);  // no SIGALRM tricks on a worker thread
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(options_.connectTimeout.count()));
  curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(options_.requestTimeout.count()));
  curl_easy_setopt(e, CURLOPT_USERAGENT, "ZorbellineQuester");
  curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options_.maxBodyBytes));
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, Progress);
  curl_easy_setopt(e, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);

  const CURLcode code = curl_easy_perform(e);
  curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &reply.status);
  if (transfer.tooLong || code == CURLE_FILESIZE_EXCEEDED) {
    reply.error = "reply longer than " + std::to_string(options_.maxBodyBytes) + " bytes";
  } else if (code != CURLE_OK) {
    reply.error = curl_easy_strerror(code);
  } else if (reply.status < 200 || reply.status > 299) {
    reply.error = "HTTP status " + std::to_string(reply.status);
  } else {
    reply.ok = true;
    reply.body = std::move(transfer.body);
  }
  return reply;
}

}  // namespace online
