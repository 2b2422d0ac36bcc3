#pragma once

// A tab page that holds its part of the configuration without controls yet: whatever it is
// given comes back unchanged, so reading a DVR and sending the configuration back loses
// nothing of the part.

#include <QWidget>

#include "dvr_conf.pb.h"

template <class Conf>
class CPassThroughPage : public QWidget {
public:
    explicit CPassThroughPage(QWidget* parent) : QWidget(parent) {}

    void InitControls() {}
    void UpdateControls() {}
    void MakeConfValid() {}
    void InitDvrInfo(const config::DvrConf_DvrInfo& info)
    {
        m_dvr_info.CopyFrom(info);
        InitConf();
    }
    void InitConf()
    {
        m_conf.Clear();
        SetConf(m_conf);
    }
    void SetConf(const Conf& conf)
    {
        if (&conf != &m_conf)
            m_conf.CopyFrom(conf);
    }
    Conf GetConf() const { return m_conf; }
    void languageChange() {}

protected:
    config::DvrConf_DvrInfo m_dvr_info;
    Conf m_conf;
};
