// RXml: reads one template file into the dialog description. It is used in
// two passes that walk the template in exactly the same way: the sizing pass
// (FillairStSize) only counts how many entries every vector will receive, the
// filling pass (FillairSt) appends them. The catalogue uses the same reader,
// without either pass, for the header getters.
#ifndef KOV_TEMPLATE_RXML_H
#define KOV_TEMPLATE_RXML_H

#include <memory>
#include <string>
#include <vector>

#include "kovrbridge.h"
#include "matrix.h"
#include "records.h"
#include "xml_node.h"

struct PredictionField;

class RXml {
public:
    // dialog and controls are given for the filling pass, sizes and
    // controlSizes for the sizing pass; all four are null for the catalogue.
    // translations is the add-in's table of translated texts.
    RXml(const std::wstring& path, cST_Main_aiR& main, cST_aiR* dialog, cST_AirControlInfo* controls,
         ST_aiRSize* sizes, ST_AirControlInfoSize* controlSizes, matrix<std::wstring>& translations);
    ~RXml();
    RXml(const RXml&) = delete;
    RXml& operator=(const RXml&) = delete;

    // Parses the template. Always 0: a template that did not parse is seen
    // from ParseFailed().
    int Parse();
    // Parses the template like Parse() but keeps only the root element's
    // attributes, all that the header getters read.
    int ParseHeader();
    bool ParseFailed() const;
    // The parse errors as the add-in shows them under "XML Error".
    std::wstring ErrMsg() const;

    // Root attributes "function", "text", "packages" and "keywords".
    std::wstring GetFunctionName() const;
    std::wstring GetRFunctionName() const;
    std::wstring GetPackageName() const;
    std::wstring GetKeywords() const;

    void FillairSt();
    void FillairStSize();

    // One page's (or one column's) children; page is the 0-based page index.
    void GetPageControls(std::vector<XmlNode*>& nodes, int page);
    void GetPageControlsSize(std::vector<XmlNode*>& nodes, int page);

    // One control element: registered and handed to the loader of its kind.
    void LoadChildNode(XmlNode* node, int page);
    void LoadChildNodeSize(XmlNode* node, int page);

    // Registers a control: one entry in every per-control vector but
    // ctlExtra, from the element's common attributes. The sizing twin also
    // counts the X, Q and observation-label fields met so far.
    void LoadControlBasicInfo(const std::wstring& kind, const int& page, XmlNode* node);
    void LoadControlBasicInfoSize(const std::wstring& kind);

    // The loaders of the control kinds. ctl is the index the element was
    // registered under; the sizing twins take only what their counts need.
    // The dispatch table of control_loaders.cpp calls them, so they stay
    // public.
    void LoadComboBox(const int& ctl, XmlNode* node);
    void LoadComboBoxSize();
    void LoadFrame(XmlNode* node, const int& page);
    void LoadFrameSize(XmlNode* node, const int& page);
    void LoadTextBox(const int& ctl, XmlNode* node);
    void LoadTextBoxSize();
    void LoadInteractions(const int& ctl, XmlNode* node, const int& page);
    void LoadInteractionsSize(const int& page);
    void LoadVarHeaders(const int& ctl);
    void LoadMissing(XmlNode* node);

    // Data selections (RefEdit, DataField and the Y, X, Q and label fields):
    // one data-selection row each. LoadRefeditDefaults appends the row with
    // the initial values taken from control ctl.
    void LoadRefEdit(const std::wstring& kind, const int& ctl, XmlNode* node);
    void LoadRefEditSize();
    void LoadRefeditDefaults(int ctl);
    void LoadRefEditSizeDefaults();

    // A control the reader adds itself (column break, spacer, ...): one entry
    // with default values in every per-control vector but ctlExtra. Returns
    // its control index.
    int AddKOVIANaiRCIDefaults(int page);
    void AddaiRSizeCIDefaultsSize(int page);

    // The prediction block of an AutoPredict element: a check box, a second
    // data selection for each X, Q and label field loaded before it, a spacer
    // and the dialog macro that ties them together.
    void LoadAutoPredict(int page);
    void LoadAutoPredictSize(int page);

    // One RResults element: its Result descriptions and the automatic output
    // and chart check boxes.
    void GetResultsInfo(XmlNode* results);
    void GetResultsInfoSize(XmlNode* results);

    // One RScript element: its ScriptLine and RBlock lines.
    void GetScript(XmlNode* script);
    void GetScriptSize(XmlNode* script);

private:
    void LoadPage(XmlNode* tab, int page);
    void LoadPageSize(XmlNode* tab, int page);
    std::wstring RootAttribute(const wchar_t* name) const;
    // A control's text: a |n| reference to the translation table, or the
    // text with its character references for angle brackets resolved.
    std::wstring ControlText(const std::wstring& text);
    // The prediction data selection of the X, Q or label field control
    // field, added on page.
    void AddPredictionSelection(int field, const PredictionField& kind, int page);
    // A check box for the automatic outputs or charts; returns its index.
    int AddAutoCheckBox(int page, const std::wstring& rName, const std::wstring& text);

    std::wstring path;
    std::unique_ptr<XmlNode> root;
    cST_Main_aiR& main;
    cST_aiR* dialog;
    cST_AirControlInfo* controls;
    ST_aiRSize* sizes;
    ST_AirControlInfoSize* controlSizes;
    // Sizing pass: XQuantiField, XQualiField and ObsLabelsField controls
    // counted so far.
    int xQuantiCount;
    int xQualiCount;
    int obsLabelsCount;
    matrix<std::wstring>& translations;
};

#endif
