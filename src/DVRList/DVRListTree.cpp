#include "DVRList/DVRListTree.h"

#include <climits>

#include <QDataStream>
#include <QEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QSet>
#include <QTimer>

#include "Common/DvrQuery.h"
#include "Common/Prompt.h"
#include "Common/TextCodec.h"
#include "DVRList/SetDVRInfoDialog.h"
#include "Network/SendCommand.h"
#include "ProtoBuf/ListMetaTypes.h"

namespace {

constexpr int MAX_CAMERAS = 16;
// A DVR item's "address:port", so that a reply finds its items without decoding every record.
constexpr int ADDRESS_KEY_ROLE = Qt::UserRole + 1;

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString AddressKey(const DVR& dvr)
{
    return Utf8(dvr.address()) + QLatin1Char(':') + QString::number(dvr.port());
}

}  // namespace

DVR DvrOfItem(const QTreeWidgetItem* item)
{
    return item ? item->data(0, DVR_TREE_DATA_ROLE).value<DVR>() : DVR();
}

Group GroupOfItem(const QTreeWidgetItem* item)
{
    return item ? item->data(0, DVR_TREE_DATA_ROLE).value<Group>() : Group();
}

CDVRListTree::CDVRListTree(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line with an icon; otherwise each changed title costs a walk over all
    // rows above it, which a list of thousands of cameras cannot afford.
    setUniformRowHeights(true);
    // A double click connects; it does not fold the group away as well.
    setExpandsOnDoubleClick(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!m_cameraNameShow)
            connectItem(item);
    });
    connect(this, &QTreeWidget::currentItemChanged, this, &CDVRListTree::onCurrentItemChanged);
    m_namesSave.setSingleShot(true);
    m_namesSave.setInterval(NAMES_SAVE_DELAY_MS);
    // The operator hears of a failure once while the names keep coming.
    connect(&m_namesSave, &QTimer::timeout, this, [this] { writeList(Tell::FirstFailure); });
    m_namesWork.setSingleShot(true);
    m_namesWork.setInterval(0);
    connect(&m_namesWork, &QTimer::timeout, this, [this] {
        if (!applyQueuedNames(NAMES_ENTRIES_PER_TURN))
            m_namesWork.start();
    });
    loadDVRList();
}

CDVRListTree::~CDVRListTree()
{
    applyQueuedNames(INT_MAX);
    // No message box while the window goes: a failure goes to standard error only.
    if (m_namesSave.isActive())
        writeList(Tell::Nothing);
}

void CDVRListTree::flushNamesSave()
{
    applyQueuedNames(INT_MAX);
    m_namesWork.stop();
    if (m_namesSave.isActive())
        writeList(Tell::FirstFailure);
}

void CDVRListTree::restartQueuedNames()
{
    if (m_namesQueue.empty())
        return;
    m_namesQueue.front().group = 0;
    m_namesQueue.front().dvr = 0;
}

void CDVRListTree::loadDVRList()
{
    flushNamesSave();
    m_lastGroup = -1;
    m_lastDvr = -1;
    ListDamage damage;
    // Groups that could not be written are not given up for the file's.
    GroupList list = m_unsaved ? groupList() : CControlDVRList().Load(&damage);
    clear();
    if (!m_unsaved)
        m_keepOld = damage.unreadable;
    for (const Group& group : list.group()) {
        // Marked one by one while the view's layout is pending, so that it is laid out once,
        // in a later event, rather than now by expandAll.
        QTreeWidgetItem* groupItem = appendGroupItem(group);
        groupItem->setExpanded(true);
        for (int d = 0; d < groupItem->childCount(); ++d)
            if (groupItem->child(d)->childCount() > 0)
                groupItem->child(d)->setExpanded(true);
    }
    list.clear_group();
    m_listExtras = list;
    if ((damage.damaged || damage.unreadable) && !m_damageTold) {
        m_damageTold = true;
        tellDamage(damage);
    }
}

void CDVRListTree::tellDamage(const ListDamage& damage)
{
    const QString text = ListDamageText(
        damage,
        tr("The DVR list file \"%1\" could not be read (%2). The default list is shown instead; "
           "nothing was overwritten."),
        tr("The DVR list file was damaged. Read from it: %1 groups and %2 DVRs. "
           "The damaged file is kept as \"%3\"."));
    // After the window is up, not from inside its construction.
    QTimer::singleShot(0, this, [this, text] { CPrompt::current().message(window(), text); });
}

bool CDVRListTree::saveDVRList() { return writeList(Tell::Failure); }

bool CDVRListTree::saveBeforeExit()
{
    applyQueuedNames(INT_MAX);
    m_namesWork.stop();
    return !(m_unsaved || m_namesSave.isActive()) || writeList(Tell::KeptOnly);
}

bool CDVRListTree::writeList(Tell tell)
{
    m_namesSave.stop();
    ListSave save;
    save.keepOld = m_keepOld;
    if (CControlDVRList().Save(groupList(), &save)) {
        m_unsaved = false;
        m_saveFailure.clear();
        const QString kept = ListKeptText(
            save, tr("The DVR list file that could not be read at start is kept as \"%1\"."),
            tr("The DVR list file was changed elsewhere after this program last read or saved it. "
               "That version is kept as \"%1\"."));
        if (!kept.isEmpty() && tell != Tell::Nothing)
            CPrompt::current().message(this, kept);
        m_keepOld = false;
        return true;
    }
    const bool first = !m_unsaved;
    m_unsaved = true;
    m_saveFailure = save.reason;
    if (tell == Tell::Failure || (tell == Tell::FirstFailure && first))
        CPrompt::current().message(this, tr("The DVR list could not be saved (%1).").arg(save.reason));
    return false;
}

GroupList CDVRListTree::groupList() const
{
    GroupList list = m_listExtras;
    for (int i = 0; i < topLevelItemCount(); ++i)
        *list.add_group() = GroupOfItem(topLevelItem(i));
    return list;
}

void CDVRListTree::setCameraNameShow(bool show)
{
    if (show == m_cameraNameShow)
        return;
    m_cameraNameShow = show;
    setDragEnabled(show);
    setDragDropMode(show ? QAbstractItemView::DragOnly : QAbstractItemView::NoDragDrop);
    loadDVRList();
    if (!show)
        return;
    // One question per DVR: its answer names every entry at that address.
    QSet<QString> asked;
    const GroupList list = groupList();
    for (const Group& group : list.group()) {
        for (const DVR& dvr : group.dvr()) {
            if (dvr.chname_size() > 0 || dvr.old_protocol())
                continue;
            const QString key = AddressKey(dvr);
            if (!asked.contains(key)) {
                asked.insert(key);
                requestCameraNames(dvr);
            }
        }
    }
}

void CDVRListTree::clearIcon(int groupIndex)
{
    QTreeWidgetItem* group = topLevelItem(groupIndex);
    if (!group)
        return;
    for (int i = 0; i < group->childCount(); ++i)
        group->child(i)->setIcon(0, CControlDVRList::getDVRIcon());
}

void CDVRListTree::setCurrentDvr(int groupIndex, int dvrIndex)
{
    QTreeWidgetItem* group = topLevelItem(groupIndex);
    QTreeWidgetItem* dvr = group && dvrIndex >= 0 ? group->child(dvrIndex) : nullptr;
    if (!dvr || currentItem() == dvr)
        return;
    // Marked as the last choice, so that choosing it again announces nothing either.
    m_lastGroup = groupIndex;
    m_lastDvr = dvrIndex;
    setCurrentItem(dvr);
}

bool CDVRListTree::itemPosition(const QTreeWidgetItem* item, int* groupIndex, int* dvrIndex) const
{
    auto* mutableItem = const_cast<QTreeWidgetItem*>(item);
    QTreeWidgetItem* group = groupItemOf(mutableItem);
    if (!group)
        return false;
    QTreeWidgetItem* dvr = dvrItemOf(mutableItem);
    *groupIndex = indexOfTopLevelItem(group);
    *dvrIndex = dvr ? group->indexOfChild(dvr) : -1;
    return true;
}

QTreeWidgetItem* CDVRListTree::groupItemOf(QTreeWidgetItem* item) const
{
    while (item && item->parent())
        item = item->parent();
    return item;
}

QTreeWidgetItem* CDVRListTree::dvrItemOf(QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    if (item->type() == CAMERA_ITEM)
        return item->parent();
    return item->type() == DVR_ITEM ? item : nullptr;
}

QTreeWidgetItem* CDVRListTree::appendGroupItem(const Group& group)
{
    // Filled before it joins the tree: one insertion for the view instead of one per item.
    auto* item = new QTreeWidgetItem(GROUP_ITEM);
    item->setText(0, Utf8(group.name()));
    item->setIcon(0, CControlDVRList::getGroupIcon());
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setData(0, DVR_TREE_DATA_ROLE, QVariant::fromValue(group));
    // The group's record already holds its DVRs.
    for (const DVR& dvr : group.dvr())
        setDvrItem(newDvrItem(item), dvr);
    addTopLevelItem(item);
    return item;
}

QTreeWidgetItem* CDVRListTree::newDvrItem(QTreeWidgetItem* groupItem)
{
    auto* item = new QTreeWidgetItem(groupItem, DVR_ITEM);
    item->setIcon(0, CControlDVRList::getDVRIcon());
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTreeWidgetItem* CDVRListTree::appendDvrItem(QTreeWidgetItem* groupItem, const DVR& dvr)
{
    QTreeWidgetItem* item = newDvrItem(groupItem);
    storeDvr(item, dvr);
    return item;
}

void CDVRListTree::setDvrItem(QTreeWidgetItem* dvrItem, const DVR& dvr)
{
    const QString key = AddressKey(dvr);
    dvrItem->setText(0, Utf8(dvr.name()));
    dvrItem->setToolTip(0, key);
    dvrItem->setData(0, ADDRESS_KEY_ROLE, key);
    dvrItem->setData(0, DVR_TREE_DATA_ROLE, QVariant::fromValue(dvr));
    fillCameraItems(dvrItem, dvr);
}

void CDVRListTree::storeDvr(QTreeWidgetItem* dvrItem, const DVR& dvr)
{
    setDvrItem(dvrItem, dvr);
    QTreeWidgetItem* groupItem = dvrItem->parent();
    Group group = GroupOfItem(groupItem);
    const int index = groupItem->indexOfChild(dvrItem);
    if (index < group.dvr_size())
        *group.mutable_dvr(index) = dvr;
    else
        *group.add_dvr() = dvr;
    groupItem->setData(0, DVR_TREE_DATA_ROLE, QVariant::fromValue(group));
}

QString CDVRListTree::cameraTitle(const DVR& dvr, int channel)
{
    if (channel < dvr.chname_size() && !dvr.chname(channel).empty())
        return Utf8(dvr.chname(channel));
    return tr("Camera %1").arg(channel + 1);
}

void CDVRListTree::fillCameraItems(QTreeWidgetItem* dvrItem, const DVR& dvr)
{
    const int cameras = m_cameraNameShow ? qBound(0, dvr.chnum(), MAX_CAMERAS) : 0;
    while (dvrItem->childCount() > cameras)
        delete dvrItem->takeChild(dvrItem->childCount() - 1);
    for (int channel = 0; channel < cameras; ++channel) {
        QTreeWidgetItem* item = dvrItem->child(channel);
        if (!item) {
            item = new QTreeWidgetItem(dvrItem, CAMERA_ITEM);
            item->setIcon(0, CControlDVRList::getCameraIcon());
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
        }
        const QString title = cameraTitle(dvr, channel);
        if (item->text(0) != title)
            item->setText(0, title);
    }
}

void CDVRListTree::connectItem(QTreeWidgetItem* item)
{
    int group = -1;
    int dvr = -1;
    if (!itemPosition(item, &group, &dvr))
        return;
    emit groupConnect(*topLevelItem(group), group, dvr);
    m_connectedGroup = group;
}

void CDVRListTree::connectCurrent()
{
    connectItem(currentItem());
}

void CDVRListTree::disconnectCurrent()
{
    int group = -1;
    int dvr = -1;
    if (!itemPosition(currentItem(), &group, &dvr) || group != m_connectedGroup)
        return;
    if (dvr >= 0) {
        emit disconnectDVR(dvr);
        return;
    }
    emit disconnectDVR(-1);
    m_connectedGroup = -1;
}

void CDVRListTree::disconnectGroup(int groupIndex)
{
    if (groupIndex != m_connectedGroup || groupIndex < 0)
        return;
    emit disconnectDVR(-1);
    m_connectedGroup = -1;
}

void CDVRListTree::addGroup()
{
    QString name;
    if (!CPrompt::current().askText(this, tr("Add Group"), tr("Group Name"), &name))
        return;
    name = name.trimmed();
    if (name.isEmpty())
        return;
    Group group;
    group.set_name(name.toStdString());
    setCurrentItem(appendGroupItem(group));
    saveDVRList();
}

void CDVRListTree::editGroup()
{
    QTreeWidgetItem* item = groupItemOf(currentItem());
    if (!item)
        return;
    QString name = item->text(0);
    if (!CPrompt::current().askText(this, tr("Edit Group"), tr("Group Name"), &name))
        return;
    name = name.trimmed();
    if (name.isEmpty() || name == item->text(0))
        return;
    disconnectGroup(indexOfTopLevelItem(item));
    Group group = GroupOfItem(item);
    group.set_name(name.toStdString());
    item->setData(0, DVR_TREE_DATA_ROLE, QVariant::fromValue(group));
    item->setText(0, name);
    saveDVRList();
}

void CDVRListTree::deleteGroup()
{
    QTreeWidgetItem* item = groupItemOf(currentItem());
    if (!item
        || !CPrompt::current().askYesNo(
            this, tr("Do you want to delete the group \"%1\" and its DVRs?").arg(item->text(0))))
        return;
    // The connected group keeps its position only when the deleted group lies below it.
    const int index = indexOfTopLevelItem(item);
    if (m_connectedGroup >= index)
        disconnectGroup(m_connectedGroup);
    delete item;
    restartQueuedNames();
    m_lastGroup = -1;
    m_lastDvr = -1;
    saveDVRList();
}

void CDVRListTree::addDVR()
{
    QTreeWidgetItem* groupItem = groupItemOf(currentItem());
    if (!groupItem)
        return;
    CSetDVRInfoDialog dialog(this);
    if (CPrompt::current().exec(&dialog) != QDialog::Accepted)
        return;
    const DVR dvr = dialog.getDVR();
    setCurrentItem(appendDvrItem(groupItem, dvr));
    saveDVRList();
    requestCameraNames(dvr);
}

void CDVRListTree::editDVR()
{
    QTreeWidgetItem* item = dvrItemOf(currentItem());
    if (!item)
        return;
    const DVR old = DvrOfItem(item);
    CSetDVRInfoDialog dialog(this);
    dialog.setDVR(old);
    if (CPrompt::current().exec(&dialog) != QDialog::Accepted)
        return;
    DVR dvr = dialog.getDVR();
    // The camera names belong to the device at that address.
    if (dvr.address() == old.address() && dvr.port() == old.port())
        *dvr.mutable_chname() = old.chname();
    if (dvr.SerializeAsString() == old.SerializeAsString())
        return;
    disconnectGroup(indexOfTopLevelItem(groupItemOf(item)));
    storeDvr(item, dvr);
    saveDVRList();
    requestCameraNames(dvr);
}

void CDVRListTree::deleteDVR()
{
    QTreeWidgetItem* item = dvrItemOf(currentItem());
    if (!item
        || !CPrompt::current().askYesNo(this, tr("Do you want to delete the DVR \"%1\"?").arg(item->text(0))))
        return;
    QTreeWidgetItem* groupItem = item->parent();
    disconnectGroup(indexOfTopLevelItem(groupItem));
    Group group = GroupOfItem(groupItem);
    const int index = groupItem->indexOfChild(item);
    if (index < group.dvr_size())
        group.mutable_dvr()->DeleteSubrange(index, 1);
    groupItem->setData(0, DVR_TREE_DATA_ROLE, QVariant::fromValue(group));
    delete item;
    restartQueuedNames();
    m_lastGroup = -1;
    m_lastDvr = -1;
    saveDVRList();
}

void CDVRListTree::onCurrentItemChanged(QTreeWidgetItem* current)
{
    int group = -1;
    int dvr = -1;
    if (!itemPosition(current, &group, &dvr) || dvr < 0)
        return;
    if (group == m_lastGroup && dvr == m_lastDvr)
        return;
    m_lastGroup = group;
    m_lastDvr = dvr;
    emit changedDVR(group, dvr);
}

void CDVRListTree::requestCameraNames(const DVR& dvr)
{
    if (dvr.old_protocol() || dvr.address().empty())
        return;
    const QString key = AddressKey(dvr);
    delete m_nameRequests.take(key);
    auto* sender = new CSendCommand(this);
    m_nameRequests.insert(key, sender);
    connect(sender, &CSendCommand::receivedCameraName, this, [this, key, sender](const cgi::DvrInfo& info) {
        if (m_nameRequests.value(key) == sender)
            m_nameRequests.remove(key);
        sender->deleteLater();
        queueCameraNames(key, info);
    });
    cgi::Live live;
    live.set_vchmask(dvr.bit_ch());
    live.set_achmask(0);
    sender->send(dvr, CgiQueryFor(dvr, cgi::MODE_LIVE, live));
}

void CDVRListTree::queueCameraNames(const QString& key, const cgi::DvrInfo& info)
{
    // The DVR's titles are EUC-KR; the list keeps UTF-8.
    NamesReply reply;
    reply.key = key;
    reply.names.reserve(static_cast<size_t>(info.ch_name_size()));
    for (const std::string& name : info.ch_name())
        reply.names.push_back(CTextCodec::FromEucKr(name).toStdString());
    m_namesQueue.push_back(std::move(reply));
    // Not from inside the reply: replies of many DVRs come in one batch of events.
    if (!m_namesWork.isActive())
        m_namesWork.start();
}

void CDVRListTree::applyCameraNames(const QString& key, const cgi::DvrInfo& info)
{
    queueCameraNames(key, info);
    applyQueuedNames(INT_MAX);
    m_namesWork.stop();
}

// One pass over the items per reply; a group's record is rewritten once per turn however many
// of its DVRs changed, and only the camera items whose titles changed are touched.
bool CDVRListTree::applyQueuedNames(int entries)
{
    int changed = 0;
    bool done = true;
    while (!m_namesQueue.empty() && done) {
        NamesReply& reply = m_namesQueue.front();
        const auto& names = reply.names;
        for (; reply.group < topLevelItemCount(); ++reply.group, reply.dvr = 0) {
            QTreeWidgetItem* groupItem = topLevelItem(reply.group);
            Group group;
            bool groupChanged = false;
            for (; reply.dvr < groupItem->childCount() && changed < entries; ++reply.dvr) {
                QTreeWidgetItem* item = groupItem->child(reply.dvr);
                if (item->data(0, ADDRESS_KEY_ROLE).toString() != reply.key)
                    continue;
                DVR dvr = DvrOfItem(item);
                if (dvr.old_protocol()
                    || std::equal(dvr.chname().begin(), dvr.chname().end(), names.begin(), names.end()))
                    continue;
                dvr.mutable_chname()->Assign(names.begin(), names.end());
                item->setData(0, DVR_TREE_DATA_ROLE, QVariant::fromValue(dvr));
                fillCameraItems(item, dvr);
                if (!groupChanged) {
                    group = GroupOfItem(groupItem);
                    groupChanged = true;
                }
                if (reply.dvr < group.dvr_size())
                    *group.mutable_dvr(reply.dvr) = dvr;
                ++changed;
            }
            if (groupChanged)
                groupItem->setData(0, DVR_TREE_DATA_ROLE, QVariant::fromValue(group));
            if (reply.dvr < groupItem->childCount()) {
                done = false;
                break;
            }
        }
        if (done)
            m_namesQueue.pop_front();
    }
    if (changed > 0)
        m_namesSave.start();
    return done;
}

void CDVRListTree::mouseMoveEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = currentItem();
    if (m_cameraNameShow && (event->buttons() & Qt::LeftButton) && item && item->type() == CAMERA_ITEM)
        emit dragCameraItem(DvrOfItem(item->parent()), item->parent()->indexOfChild(item));
    QTreeWidget::mouseMoveEvent(event);
}

QStringList CDVRListTree::mimeTypes() const
{
    return {QLatin1String(DVR_CAMERA_MIME_TYPE)};
}

QMimeData* CDVRListTree::mimeData(const QList<QTreeWidgetItem*>& items) const
{
    if (items.size() != 1 || items.first()->type() != CAMERA_ITEM)
        return nullptr;
    QTreeWidgetItem* camera = items.first();
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out << qint32(camera->parent()->indexOfChild(camera))
        << QByteArray::fromStdString(DvrOfItem(camera->parent()).SerializeAsString());
    auto* mime = new QMimeData;
    mime->setData(QLatin1String(DVR_CAMERA_MIME_TYPE), payload);
    mime->setText(camera->text(0));
    return mime;
}

bool CDVRListTree::readCameraMime(const QMimeData* mime, DVR* dvr, int* channel)
{
    if (!mime || !mime->hasFormat(QLatin1String(DVR_CAMERA_MIME_TYPE)))
        return false;
    QDataStream in(mime->data(QLatin1String(DVR_CAMERA_MIME_TYPE)));
    qint32 camera = -1;
    QByteArray bytes;
    in >> camera >> bytes;
    DVR parsed;
    if (in.status() != QDataStream::Ok || camera < 0 || camera >= MAX_CAMERAS
        || !parsed.ParseFromArray(bytes.constData(), static_cast<int>(bytes.size())))
        return false;
    *dvr = parsed;
    *channel = camera;
    return true;
}

void CDVRListTree::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        for (int g = 0; g < topLevelItemCount(); ++g) {
            QTreeWidgetItem* groupItem = topLevelItem(g);
            for (int d = 0; d < groupItem->childCount(); ++d) {
                QTreeWidgetItem* dvrItem = groupItem->child(d);
                const DVR dvr = DvrOfItem(dvrItem);
                for (int c = 0; c < dvrItem->childCount(); ++c)
                    dvrItem->child(c)->setText(0, cameraTitle(dvr, c));
            }
        }
    }
    QTreeWidget::changeEvent(event);
}
