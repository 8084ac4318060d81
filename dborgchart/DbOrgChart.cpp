// TzqDbOrgChart: creation and destruction, the bindings to the data source and its
// fields, the key index, the in-place editor's limits and the deferral of rebinding
// while a load or a write-back runs. Loading, cursor following and writing back are in
// the files beside this one.
#include "dborgchart/DbOrgChart.h"

#include "dborgchart/OcDataLink.h"
#include "dborgchart/OcScopes.h"
#include "orgchart/OcInplaceEdit.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"

namespace {

bool IsIntegerFieldType(TFieldType Type)
{
    return Type == TFieldType::ftSmallint || Type == TFieldType::ftInteger || Type == TFieldType::ftWord ||
           Type == TFieldType::ftAutoInc;
}

} // namespace

TzqDbOrgChart::TzqDbOrgChart(TComponent* AOwner) : TzqCustomOrgChart(AOwner)
{
    m_dataLink = std::make_unique<TzqOcDataLink>(this);
    m_history.OnChange = [this] {
        if (OnUndoChange)
            OnUndoChange(this);
    };
}

TzqDbOrgChart::~TzqDbOrgChart()
{
    // Nothing the chart does from here on reaches the dataset: the link goes first, and
    // the nodes are deleted while this part of the chart still exists (each leaves the
    // key index as it goes), with the guard off so that no record is touched.
    m_destroying = true;
    m_syncEnabled = false;
    m_dataLink.reset();
    HideEditor(false);
    DeleteAllNodes();
}

// ---- Binding ----

TDataSource* TzqDbOrgChart::DataSource() const
{
    return m_dataLink ? m_dataLink->DataSource() : nullptr;
}

void TzqDbOrgChart::SetDataSource(TDataSource* Value)
{
    TDataSource* old = DataSource();
    if (Value == old || !m_dataLink)
        return;
    if (old)
        RemoveFreeNotification(old);
    // The history speaks of the records of the old source.
    m_history.Clear();
    m_dataLink->SetDataSource(Value);
    if (Value)
        FreeNotification(Value);
}

TDataSet* TzqDbOrgChart::DataSet() const
{
    return m_dataLink ? m_dataLink->DataSet() : nullptr;
}

void TzqDbOrgChart::Notification(TComponent* AComponent, TOperation Operation)
{
    TzqCustomOrgChart::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && m_dataLink && AComponent == DataSource())
        m_dataLink->SetDataSource(nullptr);
}

void TzqDbOrgChart::SetFieldName(Binding Which, const std::string& Value)
{
    if (m_fieldNames[Which] == Value)
        return;
    m_fieldNames[Which] = Value;
    // Records recorded through other fields are no longer the chart's to reverse.
    m_history.Clear();
    ResetBindings();
}

bool TzqDbOrgChart::IsReady() const
{
    return m_dataLink && m_dataLink->Active() && KeyField() && ParentField();
}

bool TzqDbOrgChart::DataSetCanModify() const
{
    const TDataSet* dataSet = DataSet();
    return dataSet && dataSet->CanModify();
}

bool TzqDbOrgChart::KeyIsAutoInc() const
{
    return KeyField() && KeyField()->DataType() == TFieldType::ftAutoInc;
}

void TzqDbOrgChart::AttachFields()
{
    if (!m_dataLink->Active())
        return;
    TDataSet* dataSet = DataSet();
    for (int i = 0; i < kBindings; ++i)
        m_fields[size_t(i)] = m_fieldNames[size_t(i)].empty() ? nullptr : dataSet->FindField(m_fieldNames[size_t(i)]);
    // The order and the attributes are whole numbers; key, parent and caption may be
    // of any type.
    for (Binding which : {kOrder, kWidth, kHeight, kColor, kShape, kAlign, kImage, kImageAlign}) {
        if (m_fields[which] && !IsIntegerFieldType(m_fields[which]->DataType()))
            m_fields[which] = nullptr;
    }
}

void TzqDbOrgChart::ResetBindings()
{
    if (m_destroying)
        return;
    if (m_busyDepth > 0) {
        m_resetPending = true;
        return;
    }
    BusyScope busy(*this);
    TzqOcUpdateScope update(*this);
    m_fields.fill(nullptr);
    {
        TzqOcFlagScope suspended(m_syncEnabled, false);
        DeleteAllNodes();
    }
    m_positions.Clear();
    m_lastIndex = -1;
    m_currentIndex = 0;
    if (TDataSet* dataSet = DataSet()) {
        m_dataLink->m_filtered = dataSet->Filtered();
        m_dataLink->m_filter = dataSet->Filter();
    }
    AttachFields();
    if (IsReady())
        ReloadNodes();
}

void TzqDbOrgChart::RunDeferredReset()
{
    // A reset that itself asks for another (an event handler closing and opening the
    // dataset on every load) is run a few times at most, never without end.
    TzqOcFlagScope running(m_runningDeferredReset, true);
    for (int round = 0; round < 4 && m_resetPending && m_busyDepth == 0; ++round) {
        m_resetPending = false;
        try {
            ResetBindings();
        } catch (...) {
            // The dataset changed under the load or write that deferred this reset; that
            // operation reported its own error.
        }
    }
    m_resetPending = false;
}

// ---- Nodes and the key index ----

TzqOcNode* TzqDbOrgChart::CreateNode()
{
    auto node = std::make_unique<TzqDbOcNode>(this);
    if (OnCreateNode)
        OnCreateNode(this, node.get());
    node->m_key = Variant::Null();
    node->SetParentKey(Variant::Null());
    return node.release();
}

TzqDbOcNode* TzqDbOrgChart::DbNodeOf(TzqOcNode* Node) const
{
    if (!Node || Node == RootNode() || Node->Chart() != this)
        return nullptr;
    // CreateNode is the only factory of this chart's nodes.
    return static_cast<TzqDbOcNode*>(Node);
}

bool TzqDbOrgChart::IsLinked(const TzqOcNode* Node) const
{
    if (Node->Parent())
        return true;
    const int index = Node->Index();
    return RootNode()->Items(index) == Node;
}

TzqDbOcNode* TzqDbOrgChart::PrevSibling(const TzqDbOcNode* Node)
{
    return static_cast<TzqDbOcNode*>(Node->GetPrevSibling());
}

TzqDbOcNode* TzqDbOrgChart::NextSibling(const TzqDbOcNode* Node)
{
    return static_cast<TzqDbOcNode*>(Node->GetNextSibling());
}

TzqDbOcNode* TzqDbOrgChart::FindNodeByKey(const Variant& Key) const
{
    // A null key belongs to no record.
    if (Key.IsClear())
        return nullptr;
    if (TzqDbOcNode* node = m_keyIndex.Find(Key))
        return node;
    // A key written as text (a parent field of a text type) finds the node of the
    // number it spells.
    Variant number;
    if (Key.IsString() && TryStrToNumber(Key.StringView(), number))
        return m_keyIndex.Find(number);
    return nullptr;
}

void TzqDbOrgChart::AddToKeyIndex(TzqDbOcNode* Node)
{
    if (Node->m_inKeyIndex)
        m_keyIndex.Remove(Node);
    m_keyIndex.Add(Node);
    Node->m_inKeyIndex = true;
}

void TzqDbOrgChart::RemoveFromKeyIndex(TzqDbOcNode* Node)
{
    if (!Node->m_inKeyIndex)
        return;
    m_keyIndex.Remove(Node);
    Node->m_inKeyIndex = false;
}

void TzqDbOrgChart::DeleteAllNodes()
{
    // Every node goes: the key index is emptied at once, first, so that nothing looks a
    // node up while the nodes are freed, and no node leaves it one by one. They are
    // freed in the order they are stored, the one that reads memory in sequence.
    std::vector<TzqOcNode*> stored;
    if (!m_syncEnabled) {
        stored.reserve(size_t(Count()));
        ForEachStoredNode([&](TzqOcNode* n) {
            stored.push_back(n);
            return true;
        });
    }
    m_keyIndex.Clear();
    TzqOcFlagScope dropped(m_keyIndexDropped, true);
    // With the guard off nothing is written for them: unless a handler watches them go,
    // they go in one walk.
    if (m_syncEnabled)
        Clear();
    else
        FreeAllNodes(&stored);
    m_strayParentKeys.Clear();
}

void TzqDbOrgChart::NodeFreed(TzqDbOcNode* Node)
{
    if (Node->m_strayParentKey) {
        m_strayParentKeys.Erase(Node);
        Node->m_strayParentKey = false;
    }
    if (m_keyIndexDropped)
        Node->m_inKeyIndex = false;
    else
        RemoveFromKeyIndex(Node);
    Unstage(Node);
    if (m_sweepFreed)
        m_sweepFreed->insert(Node);
}

// ---- In-place editing ----

int TzqDbOrgChart::CaptionLimit() const
{
    const TField* text = TextField();
    return text && text->Size() > 0 ? text->Size() : 0;
}

void TzqDbOrgChart::ShowEditor()
{
    if (!IsReady() || !DataSetCanModify())
        return;
    // The chart may have been bound to another caption field since the editor was made.
    if (Editor())
        Editor()->SetMaxLength(CaptionLimit());
    TzqCustomOrgChart::ShowEditor();
}

TzqOcInplaceEdit* TzqDbOrgChart::CreateEditor()
{
    // The editor accepts no more characters than the caption field holds.
    TzqOcInplaceEdit* editor = TzqCustomOrgChart::CreateEditor();
    if (editor)
        editor->SetMaxLength(CaptionLimit());
    return editor;
}

void TzqDbOrgChart::ForEachStoredNode(const std::function<bool(TzqOcNode*)>& Visit) const
{
    if (m_keyIndex.Count() != Count()) {
        TzqCustomOrgChart::ForEachStoredNode(Visit);
        return;
    }
    bool going = true;
    m_keyIndex.ForEach([&](TzqDbOcNode* node) {
        if (going)
            going = Visit(node);
    });
}
