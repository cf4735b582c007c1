#include "ConsoleFrontEnd.h"

#include <QThread>
#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

#include "ConnectionWatch.h"

namespace vkm {

std::atomic<bool> gInterrupted{false};

namespace {

constexpr auto kRestartDelay = std::chrono::milliseconds(3000);
constexpr int kProgressWidth = 40;

const char* ColourWord(TextColour colour) {
  switch (colour) {
    case TextColour::Black: return "black";
    case TextColour::Blue: return "blue";
    case TextColour::Red: return "red";
  }
  return "black";
}

}  // namespace

void ConsoleReport::Print(const QString& text) {
  if (!visible_) return;
  std::lock_guard<std::mutex> lock(outputLock_);
  out_ << ColourWord(colour_) << ' ' << text.toStdString() << std::endl;
}

void ConsoleReport::ShowStatus(const QString& text, TextColour colour) {
  colour_ = colour;
  Print(text);
}

void ConsoleReport::ReplaceText(const QString& text) { Print(text); }

void ConsoleReport::SetProgressMaximum(int maximum) { maximum_ = maximum; }

void ConsoleReport::SetProgress(int position) {
  if (!progressBar_ || maximum_ <= 0) return;
  const int filled = kProgressWidth * position / maximum_;
  std::lock_guard<std::mutex> lock(outputLock_);
  std::fprintf(stderr, "\r[%s%s] %d/%d", std::string(static_cast<std::size_t>(filled), '#').c_str(),
               std::string(static_cast<std::size_t>(kProgressWidth - filled), ' ').c_str(), position, maximum_);
  if (position >= maximum_) std::fputc('\n', stderr);
  std::fflush(stderr);
}

ConsoleFrontEnd::ConsoleFrontEnd(ConsoleOptions options, ConfigurationDocument& document, std::ostream& out,
                                 std::ostream& err)
    : options_(std::move(options)),
      document_(document),
      out_(out),
      err_(err),
      actionName_(out, outputLock_, true, isatty(STDERR_FILENO) != 0),
      sysParMessage_(out, outputLock_, true, isatty(STDERR_FILENO) != 0),
      hidden_(out, outputLock_, false, false) {}

OperationReport& ConsoleFrontEnd::Report(StatusTarget target) {
  switch (target) {
    case StatusTarget::ActionName: return actionName_;
    case StatusTarget::LabelSysParMsg: return sysParMessage_;
    case StatusTarget::TMPLabel: return hidden_;
  }
  return hidden_;
}

void ConsoleFrontEnd::WaitFor(QThread& worker) { worker.wait(); }

void ConsoleFrontEnd::SelectControllerSection() {
  StorePanel();
  node_ = 0;
}

void ConsoleFrontEnd::StorePanel() { PanelToImage(panels_, node_, document_); }

void ConsoleFrontEnd::RefillPanel() { ImageToPanel(document_, node_, panels_); }

void ConsoleFrontEnd::StartRestartDelay() {
  // Lets the controller come back before a script's next command.
  std::this_thread::sleep_for(kRestartDelay);
}

bool ConsoleFrontEnd::RunFactoryResetCountdown() {
  err_ << "Через указанное время будет произведен сброс параметров конфигурации к заводским, пароль защиты "
          "конфигурации будет сброшен. Не отключайте контроллер от PC, связь не должна прерываться, иначе "
          "процедуру сброса придется повторить сначала. (Ctrl+C: отмена)\n";
  ConnectionWatch watch(options_.port);
  watch.start();
  const bool terminal = isatty(STDERR_FILENO) != 0;
  bool completed = false;
  for (int left = options_.countdownSeconds;; --left) {
    {
      std::lock_guard<std::mutex> lock(outputLock_);
      err_ << (terminal ? "\r" : "") << left << " Сек." << (terminal ? "   " : "\n") << std::flush;
    }
    if (!watch.SleepWhileConnected(std::chrono::seconds(1)) || gInterrupted) break;
    if (left == 0) {
      completed = true;
      break;
    }
  }
  if (terminal) err_ << "\n";
  watch.Stop();
  if (!completed) err_ << (gInterrupted ? "Сброс отменен\n" : "Связь с контроллером прервана\n");
  return completed;
}

void ConsoleFrontEnd::CopyToClipboard(const QString& text) {
  std::lock_guard<std::mutex> lock(outputLock_);
  out_ << text.toStdString() << std::endl;
}

}  // namespace vkm
