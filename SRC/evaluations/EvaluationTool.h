// What the stand-alone evaluation tools (flange qualification, nozzle and
// lug evaluations) do alike, written once: a tool object per kind, derived
// from EvaluationTool, whose virtual operations say what differs (the
// document, its file extension and notices, its Analyze and Edit commands)
// while the base runs the frame's command switch, the save question, Save
// and Save As, New, Open, leaving and closing.
//
// One document at a time, never beside a model: a tool opens (File > New,
// or a file opened by its extension) after the open model was closed, and
// any document that opens or is made new leaves the tool first through the
// List frame's leave hook (EvaluationFrameHook). The save question comes
// before New, Open, Close, Analyze and closing the window while the
// document has unsaved changes; its Cancel, and a Save As cancelled from
// it, stop the command. New and Open ask it before their chooser, so the
// document then picked leaves the tool without asking again.
//
// EvaluationFileTool is the base of the kinds whose document file is an
// EvaluationDocumentPath (nozzle and lug): the path, the report file
// proposed and the name on the printed pages move together.
#pragma once

#include <string>

#include "evaluations/EvaluationFrame.h"
#include "model/ListWindow.h"
#include "platform/Dialog.h"
#include "platform/Types.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/Units.h"

class EvaluationTool {
 public:
  virtual ~EvaluationTool() = default;

  // Whether the tool holds the List frame.
  bool HoldsListFrame() { return WindowOpen(); }
  // The List frame's leave hook: the save question, then the tool closes;
  // false when the user cancelled. True at once when the tool is not open.
  bool Leave(HWND owner);
  // The frame's close button: the save question, then the program ends.
  void OnClose(HWND window);
  // File > New of the kind: whatever holds the List frame is left (Cancel
  // stops), the model is closed and an untitled document with the defaults
  // opens.
  void New(HWND owner);
  // Opening the kind's file: read into copies first (a refusal is shown and
  // changes nothing), then whatever holds the frame is left, the model is
  // closed and the tool shows the document. True when opened.
  bool Open(HWND owner, const std::string& path);
  // Takes the List frame (or, when the tool holds it already, shows the
  // document again).
  void OpenWindow();
  // Gives the List frame back and forgets the document's file; its changes
  // are gone (the save question came first).
  void Close();
  // The save question: 6 Yes (and saved), 7 No, 2 Cancel, also when the
  // save failed or its Save As was cancelled.
  int AskSave(HWND owner);
  // Writes the document to its file with the kind's notice; false (the
  // message shown) when it could not.
  bool SaveFile(HWND owner);
  // The commands of the List frame while the tool holds it.
  void Command(HWND window, int commandId);

 protected:
  enum class SaveResult { Saved, Cancelled, Failed };

  virtual EvaluationFrameTool FrameTool() = 0;
  virtual bool& WindowOpen() = 0;
  virtual const std::string& Path() = 0;    // empty: untitled
  virtual const std::string& Folder() = 0;  // the path's folder
  virtual bool Modified() = 0;
  virtual void SetModified(bool modified) = 0;
  // The Save As question ("label\0pattern\0" filter) and the one extension
  // the kind's files may have.
  virtual const char* SaveAsTitle() = 0;
  virtual const char* Filter() = 0;
  virtual const char* Extension() = 0;
  // Writes the document to its file; throws the message text.
  virtual void Write() = 0;
  virtual const char* SavedNotice() = 0;
  // Save As after the name was checked: the document takes the path and is
  // saved; a failed save puts the previous path back. True when saved.
  virtual bool SaveUnder(HWND owner, const std::string& path) = 0;
  // New: an untitled document with the defaults.
  virtual void StartNew() = 0;
  // Open: reads the file into copies (throws the message text) that
  // TakeRead then makes the document, under `path`, not analysed.
  virtual void ReadCopies(const std::string& path) = 0;
  virtual void TakeRead(const std::string& path) = 0;
  // Close: the file forgotten and the document not analysed.
  virtual void ForgetDocument() = 0;
  // Shows the document (its report) in the frame.
  virtual void ShowDocument() = 0;
  // Before the frame is taken or shown again by OpenWindow.
  virtual void BeforeShow() {}
  // The kind's Analyze (run after the save question) and Edit commands.
  virtual int AnalyzeCommand() = 0;
  virtual bool IsEditCommand(int commandId) = 0;
  virtual void Analyze(HWND owner) = 0;
  virtual void Edit(HWND owner) = 0;

  SaveResult SaveAs(HWND owner);

 private:
  bool SaveCheck(HWND owner) { return !Modified() || AskSave(owner) != IDCANCEL; }
  // The file's name, or "Untitled".
  std::string Name() { return Path().empty() ? "Untitled" : Path().substr(Folder().size()); }
  // Runs `chooser` (the New or Open dialog) after the save question.
  void AfterSaveQuestion(HWND window, void (*chooser)(HWND));
  bool saveQuestionAnswered_ = false;
};

// The List frame's hook of the tool `Tool()` returns: its commands, its
// close button and its leave hook go to the tool; the tips are the shared
// toolbar's.
template <EvaluationTool& (*Tool)()>
ListFrameTool& EvaluationFrameHook() {
  static ListFrameTool hook = [] {
    ListFrameTool made;
    made.command = [](HWND window, int commandId) {
      Tool().Command(window, commandId);
      return true;  // the tool's frame runs no List window command
    };
    made.close = [](HWND window) { Tool().OnClose(window); };
    made.leave = [](HWND owner) { return Tool().Leave(owner); };
    made.toolTip = EvaluationToolTipText;
    return made;
  }();
  return hook;
}

class EvaluationFileTool : public EvaluationTool {
 protected:
  virtual EvaluationDocumentPath& File() = 0;
  // The document's file, the report file proposed for it and the name its
  // printed pages carry.
  void SetPath(const std::string& path);

  const std::string& Path() override { return File().path; }
  const std::string& Folder() override { return File().folder; }
  const char* SaveAsTitle() override { return "Save Data As"; }
  const char* SavedNotice() override { return "Input data saved"; }
  bool SaveUnder(HWND owner, const std::string& path) override;
};

// The kinds whose document record holds `data`, `file`, `analysed` and
// `windowOpen`: the record's road, the kind naming its record, its file
// reader and the limits Analyze holds the data to.
template <typename Document>
class EvaluationDocumentTool : public EvaluationFileTool {
 protected:
  using Data = decltype(Document::data);
  virtual Document& TheDocument() = 0;
  virtual void ReadFile(const std::string& path, Data& data, UnitsSettings& units) = 0;
  virtual std::string InputRefusal(const Data& data) = 0;
  // After the analysed document was shown.
  virtual void AfterAnalysis(HWND) {}

  bool& WindowOpen() override { return TheDocument().windowOpen; }
  EvaluationDocumentPath& File() override { return TheDocument().file; }
  void ReadCopies(const std::string& path) override {
    data_ = TheDocument().data;
    units_ = g_UnitsSettings;
    ReadFile(path, data_, units_);
  }
  void TakeRead(const std::string& path) override {
    TheDocument().data = data_;
    g_UnitsSettings = units_;
    SetPath(path);
    TheDocument().analysed = false;
  }
  void ForgetDocument() override {
    SetEvaluationDocumentPath(File(), "");
    TheDocument().analysed = false;
  }
  // Analyze holds the document to the dialog's limits first: a refusal is
  // shown and nothing is analysed.
  void Analyze(HWND owner) override {
    const std::string refusal = InputRefusal(TheDocument().data);
    if (!refusal.empty()) {
      ShowErrorMessage(owner, refusal);
      return;
    }
    TheDocument().analysed = true;
    OpenWindow();
    AfterAnalysis(owner);
  }

 private:
  Data data_{};
  UnitsSettings units_{};
};
