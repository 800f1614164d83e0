#include "tools/view/view_server.h"

#include <httplib.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "host/scene/utf8_text.h"
#include "tools/view/gated_server.h"
#include "tools/view/request_origin.h"
#include "tools/view/set_edit_json.h"
#include "tools/view/view_assets.h"
#include "tools/view/view_glb.h"
#include "tools/view/view_token.h"

namespace {

using nlohmann::json;

constexpr char Loopback[] = "127.0.0.1";
constexpr std::size_t LargestBody = 1 << 20;
// Short enough that a client who stops sending a body, or reading an answer, gives its worker
// back soon. The request gate bounds the time a head may take.
constexpr std::chrono::seconds ClientPatience{2};

// Every answer goes out as it is. The library would compress a body of a text or JSON type
// for a client that accepts it, and a browser asks for brotli, which the library runs at its
// slowest quality: over ten seconds for a large object's 10 MB, when over the loopback the
// bytes themselves take milliseconds. A body given with its length is never compressed.
// `keep` holds whatever `bytes` lie in until the answer has gone out; the page's assets, which
// the program holds for its lifetime, need nothing kept and go out from where they lie.
void SendBytes(httplib::Response &response, std::string_view bytes, const std::string &type,
               std::shared_ptr<const void> keep = nullptr) {
    if (bytes.empty()) return response.set_content(std::string(), type);
    response.set_content_provider(
        bytes.size(), type,
        [bytes, keep](std::size_t offset, std::size_t length, httplib::DataSink &sink) {
            return sink.write(bytes.data() + offset, length);
        });
}

void Send(httplib::Response &response, std::string body, const std::string &type) {
    auto kept = std::make_shared<const std::string>(std::move(body));
    SendBytes(response, *kept, type, kept);
}

void Answer(httplib::Response &response, int status, const json &body) {
    response.status = status;
    Send(response, body.dump(), "application/json");
}

// A message may hold a path or a name with the bytes the file system or the object gave it.
void Refuse(httplib::Response &response, int status, const std::string &message) {
    Answer(response, status, {{"error", Utf8Text(message)}});
}

std::string GivenToken(const httplib::Request &request) {
    if (request.has_header("X-Velmora-Token")) return request.get_header_value("X-Velmora-Token");
    return request.get_param_value("token");
}

// What the library's own refusals mean to a client of the view.
std::string RefusalText(int status) {
    switch (status) {
        case 400:
            return "malformed request";
        case 404:
            return "no such page or call";
        case 413:
            return "the body is larger than 1 MB";
        case 414:
            return "the address is too long";
        default:
            return "refused";
    }
}

// Host and Origin on every request; the token on everything but the page's own files.
bool Admitted(const httplib::Request &request, httplib::Response &response, int port,
              const std::string &token) {
    std::optional<std::string> origin;
    if (request.has_header("Origin")) origin = request.get_header_value("Origin");
    if (!HostNamesServer(request.get_header_value("Host"), port) ||
        !OriginNamesServer(origin, port)) {
        Refuse(response, 403, "Host and Origin must name this server");
        return false;
    }
    if (request.path.starts_with("/api/") && !TokenMatches(GivenToken(request), token)) {
        Refuse(response, 403, "the token is missing or wrong");
        return false;
    }
    // The library would read a body sent in chunks whole, past the limit on a body's size: a
    // body must give its length, which the limit then holds to before a byte of it is read.
    if (request.has_header("Transfer-Encoding")) {
        response.set_header("Connection", "close");
        Refuse(response, 411, "a body must give its length (Content-Length), not come in chunks");
        return false;
    }
    return true;
}

// Runs an object call one at a time, turning what it throws into an answer.
class ObjectCalls {
  public:
    explicit ObjectCalls(const std::function<ViewObject &()> &object) : object(object) {}

    void run(httplib::Response &response, const std::function<json(ViewObject &)> &call) {
        serve(response, [&call](ViewObject &object, httplib::Response &answer) {
            Answer(answer, 200, call(object));
        });
    }

    // The object as now served, for a call that replaced the one it was given.
    ViewObject &current() { return object(); }

    // For an answer that is not JSON.
    void serve(httplib::Response &response,
               const std::function<void(ViewObject &, httplib::Response &)> &call) {
        try {
            std::lock_guard hold(busy);
            call(object(), response);
        } catch (const ViewRequestError &error) {
            Refuse(response, error.status, error.what());
        } catch (const std::exception &error) {
            Refuse(response, 500, error.what());
        }
    }

  private:
    const std::function<ViewObject &()> &object;  // the object as now served
    std::mutex busy;
};

void AddRoutes(httplib::Server &server, ObjectCalls &calls, const ViewServerOptions &options) {
    for (const ViewAsset &asset : ViewAssets())
        server.Get(std::string(asset.path),
                   [&asset](const httplib::Request &, httplib::Response &response) {
                       SendBytes(response, asset.bytes, std::string(asset.contentType));
                   });
    // The object, what the page's writes go to, and what it may make sets of.
    auto describe = [&options](ViewObject &object) {
        json described = object.describe();
        described["saveSettingsTo"] = Utf8Text(options.saveSettingsTo);
        described["applyTo"] = options.apply ? json(Utf8Text(options.applyTo)) : json(nullptr);
        described["setSources"] = options.setSources;
        described["setsFrom"] = options.setsMadeOf ? options.setsMadeOf() : "";
        return described;
    };
    server.Get("/api/object",
               [&calls, describe](const httplib::Request &, httplib::Response &response) {
                   calls.run(response, describe);
               });
    // Makes the object's sets of another source, and answers the object as it then is.
    server.Post("/api/sets-from", [&calls, &options, describe](const httplib::Request &request,
                                                               httplib::Response &response) {
        if (!options.makeSetsFrom)
            return Refuse(response, 409, "the object was opened with polygon sets of its own");
        calls.run(response, [&](ViewObject &) {
            const std::string source = ReadSetSource(request.body);
            options.makeSetsFrom(source);  // the object given is gone
            return describe(calls.current());
        });
    });
    server.Post("/api/set", [&calls](const httplib::Request &request, httplib::Response &response) {
        calls.run(response, [&request](ViewObject &object) {
            return object.edit(ReadSetEdit(request.body));
        });
    });
    auto writer = [&calls](const std::function<ViewWrite()> &write) {
        return [&calls, write](const httplib::Request &, httplib::Response &response) {
            if (!write) return Refuse(response, 409, "the view was started with nowhere to write");
            calls.run(response, [&write](ViewObject &) {
                ViewWrite written = write();
                json notes = json::array();
                for (const std::string &note : written.notes) notes.push_back(Utf8Text(note));
                return json{{"wrote", Utf8Text(written.file)},
                            {"summary", Utf8Text(written.summary)},
                            {"notes", notes}};
            });
        };
    };
    server.Post("/api/save-settings", writer(options.saveSettings));
    server.Post("/api/apply", writer(options.apply));
    // A download, so that the browser puts the file where its user keeps downloads and the
    // server writes nothing; a POST, so that the token stays out of the browser's history.
    server.Post("/api/export-glb", [&calls](const httplib::Request &, httplib::Response &response) {
        calls.serve(response, [](ViewObject &object, httplib::Response &answer) {
            Send(answer, GlbOf(object), "model/gltf-binary");
            answer.set_header("Content-Disposition",
                              "attachment; filename=\"" + GlbDownloadName(object.name()) + "\"");
        });
    });
}

// The answers begun and not yet sent. A stop waits for them, so that an Apply or an Export under
// way reaches its client whole: the library stops writing a body the moment it stops.
class AnswersInFlight {
  public:
    void begin() {
        std::lock_guard hold(lock);
        ++count;
    }
    void end() {
        {
            std::lock_guard hold(lock);
            --count;
        }
        ended.notify_all();
    }
    bool stopping() const { return stopRequested; }
    // Takes no new answers and waits for those begun, for `patience` at the most.
    void settle(std::chrono::milliseconds patience) {
        stopRequested = true;
        std::unique_lock hold(lock);
        ended.wait_for(hold, patience, [this] { return count <= 0; });
    }

  private:
    std::mutex lock;
    std::condition_variable ended;
    int count = 0;
    std::atomic<bool> stopRequested{false};
};

// How long a stop waits for the answers under way: an Apply of a large object takes seconds.
constexpr std::chrono::milliseconds AnswersPatience{30000};

void Configure(httplib::Server &server, int &port, const std::string &token,
               AnswersInFlight &inFlight) {
    // The library's default also shares the port (SO_REUSEPORT) with any later server, which
    // would then take half of this one's requests; a port taken must be refused.
    server.set_socket_options([](socket_t socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server.set_payload_max_length(LargestBody);
    server.set_read_timeout(ClientPatience);
    server.set_write_timeout(ClientPatience);
    server.set_pre_routing_handler(
        [&port, &token, &inFlight](const httplib::Request &request, httplib::Response &response) {
            inFlight.begin();
            response.set_header("Cache-Control", "no-store");
            response.set_header("X-Content-Type-Options", "nosniff");
            if (inFlight.stopping()) {
                response.set_header("Connection", "close");
                Refuse(response, 503, "the view is stopping");
                return httplib::Server::HandlerResponse::Handled;
            }
            return Admitted(request, response, port, token)
                       ? httplib::Server::HandlerResponse::Unhandled
                       : httplib::Server::HandlerResponse::Handled;
        });
    // Called once an answer has been written. Only the requests that reached the pre-routing
    // handler, which marks every answer it begins with its Cache-Control, were counted.
    server.set_logger([&inFlight](const httplib::Request &, const httplib::Response &response) {
        if (response.has_header("Cache-Control")) inFlight.end();
    });
    // Whatever the library itself refuses (a malformed request, a body too large, no route)
    // is answered in JSON too; a refusal of ours already has its type.
    server.set_error_handler([](const httplib::Request &, httplib::Response &response) {
        if (response.has_header("Content-Type")) return;
        Refuse(response, response.status, RefusalText(response.status));
    });
    server.set_exception_handler(
        [](const httplib::Request &, httplib::Response &response, std::exception_ptr) {
            Refuse(response, 500, "the request failed");
        });
}

// SIGINT and SIGTERM wait for this thread, never interrupting a request half-way; SIGUSR1
// says that the server ended by itself.
sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGINT, SIGTERM, SIGUSR1}) sigaddset(&signals, signal);
    return signals;
}

}  // namespace

void ServeView(const std::function<ViewObject &()> &object, const ViewServerOptions &options,
               const std::function<void(const std::string &address)> &ready) {
    // Blocked before the server's threads start, so that they inherit it.
    sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    const std::string token = NewViewToken();
    int port = options.port;
    GatedServer server(token);
    ObjectCalls calls(object);
    AnswersInFlight inFlight;
    Configure(server, port, token, inFlight);
    AddRoutes(server, calls, options);
    if (port == 0)
        port = server.bind_to_any_port(Loopback);
    else if (!server.bind_to_port(Loopback, port))
        port = -1;
    if (port < 0)
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(options.port) +
                                 ": the port is taken or not allowed");

    std::future<bool> listening = std::async(std::launch::async, [&server] {
        bool ended = server.listen_after_bind();
        kill(getpid(), SIGUSR1);
        return ended;
    });
    ready("http://127.0.0.1:" + std::to_string(port) + "/?token=" + token);
    int signal = 0;
    sigwait(&signals, &signal);
    inFlight.settle(AnswersPatience);
    server.stop();
    // A client in the middle of a slow request keeps its thread; the program does not wait for
    // it longer than a user waits for Ctrl-C, and nothing it could leave is half-written.
    if (listening.wait_for(std::chrono::milliseconds(800)) != std::future_status::ready) {
        std::fflush(nullptr);
        std::_Exit(0);
    }
    if (!listening.get() || signal == SIGUSR1) throw std::runtime_error("the view stopped serving");
}
