#include "module/activation.h"

#include <gtest/gtest.h>

#include "host/loader/handler_records.h"
#include "host/services/service_table.h"
#include "hostapi/lwhandler.h"
#include "hostapi/lwserver.h"
#include "module/host_services.h"

extern "C" ModuleDescriptor _mod_descrip;

namespace {

int sceneObjectsRecord, itemInfoRecord, objectInfoRecord, surfaceFuncsRecord;

void ProvideSceneServices(ServiceTable &table) {
    table.provide("LW Item Info 3", &itemInfoRecord);
    table.provide("LW Object Info 4", &objectInfoRecord);
    table.provide("Scene Objects 4", &sceneObjectsRecord);
    table.provide("Surface Functions 2", &surfaceFuncsRecord);
}

class Activation : public ::testing::Test {
  protected:
    void SetUp() override {
        hostServices = {};
        ProvideSceneServices(host);
    }
    void TearDown() override { hostServices = {}; }

    ServiceTable host;
    ShaderHandlerRecords records;
};

TEST(ModuleRecord, DescribesTwoServersSharingOneName) {
    EXPECT_EQ(_mod_descrip.sysSync, 0x04121994u);
    EXPECT_EQ(_mod_descrip.sysVersion, 3u);
    EXPECT_EQ(_mod_descrip.sysMachine, 0x300u);
    const ServerRecord *servers = _mod_descrip.serverDefs;
    EXPECT_STREQ(servers[0].className, "ShaderHandler");
    EXPECT_STREQ(servers[1].className, "ShaderInterface");
    EXPECT_STREQ(servers[0].name, "KV_Velmora");
    EXPECT_EQ(servers[0].name, servers[1].name);
    EXPECT_EQ(servers[0].activate, &ActivateHandler);
    EXPECT_EQ(servers[1].activate, &ActivateInterface);
    EXPECT_EQ(servers[0].tagInfo, nullptr);
    EXPECT_EQ(servers[2].className, nullptr);
    EXPECT_EQ(servers[2].activate, nullptr);
}

TEST(ModuleRecord, StartupAlwaysGivesFourAndShutdownTakesAnyToken) {
    EXPECT_EQ(_mod_descrip.startup(), reinterpret_cast<void *>(4));
    EXPECT_EQ(_mod_descrip.startup(), reinterpret_cast<void *>(4));
    _mod_descrip.shutdown(nullptr);
    _mod_descrip.shutdown(reinterpret_cast<void *>(99));
}

TEST_F(Activation, WrongVersionsWriteNothingAndFetchNothing) {
    for (int version : {3, 5, 0, -1, 8}) {
        EXPECT_EQ(ActivateHandler(version, host.global(), &records.handler, nullptr),
                  AFUNC_BADVERSION);
        EXPECT_EQ(ActivateInterface(version, host.global(), &records.handler, nullptr),
                  AFUNC_BADVERSION);
    }
    EXPECT_EQ(records.inst.create, nullptr);
    EXPECT_EQ(records.item.useItems, nullptr);
    EXPECT_EQ(records.rend.init, nullptr);
    EXPECT_EQ(records.handler.evaluate, nullptr);
    EXPECT_EQ(records.handler.flags, nullptr);
    EXPECT_TRUE(host.requests().empty());
    EXPECT_EQ(hostServices.globalFunc, nullptr);
}

TEST_F(Activation, FillsEverySlotButPrivAndFetchesTheFourServicesTransiently) {
    int priv;
    records.inst.priv = &priv;
    ASSERT_EQ(ActivateHandler(4, host.global(), &records.handler, nullptr), AFUNC_OK);
    EXPECT_EQ(records.inst.priv, &priv);
    EXPECT_TRUE(records.inst.create && records.inst.destroy && records.inst.copy &&
                records.inst.load && records.inst.save && records.inst.descln);
    EXPECT_TRUE(records.item.useItems && records.item.changeID);
    EXPECT_TRUE(records.rend.init && records.rend.cleanup && records.rend.newTime);
    EXPECT_TRUE(records.handler.evaluate && records.handler.flags);

    std::vector<ServiceTable::Request> expected = {{"LW Item Info 3", 0},
                                                   {"LW Object Info 4", 0},
                                                   {"Scene Objects 4", 0},
                                                   {"Surface Functions 2", 0}};
    EXPECT_EQ(host.requests(), expected);
    EXPECT_EQ(hostServices.globalFunc, host.global());
    EXPECT_EQ(hostServices.itemInfo, static_cast<void *>(&itemInfoRecord));
    EXPECT_EQ(hostServices.objectInfo, static_cast<void *>(&objectInfoRecord));
    EXPECT_EQ(hostServices.sceneObjects, static_cast<void *>(&sceneObjectsRecord));
    EXPECT_EQ(hostServices.surfaceFuncs, static_cast<void *>(&surfaceFuncsRecord));
}

TEST_F(Activation, NullItemRecordIsSkipped) {
    records.handler.item = nullptr;
    EXPECT_EQ(ActivateHandler(4, host.global(), &records.handler, nullptr), AFUNC_OK);
    EXPECT_NE(records.inst.create, nullptr);
    EXPECT_NE(records.rend.cleanup, nullptr);
    EXPECT_NE(records.handler.flags, nullptr);
}

TEST_F(Activation, MissingServiceIsStoredAsNull) {
    host.switchOff("Scene Objects 4");
    EXPECT_EQ(ActivateHandler(4, host.global(), &records.handler, nullptr), AFUNC_OK);
    EXPECT_EQ(hostServices.sceneObjects, nullptr);
    EXPECT_NE(hostServices.objectInfo, nullptr);
}

TEST_F(Activation, SecondActivationReplacesAllFivePointers) {
    ASSERT_EQ(ActivateHandler(4, host.global(), &records.handler, nullptr), AFUNC_OK);
    ServiceTable other;
    int otherRecords[4];
    other.provide("LW Item Info 3", &otherRecords[0]);
    other.provide("LW Object Info 4", &otherRecords[1]);
    other.provide("Surface Functions 2", &otherRecords[3]);
    ASSERT_EQ(ActivateHandler(4, other.global(), &records.handler, nullptr), AFUNC_OK);
    EXPECT_EQ(hostServices.globalFunc, other.global());
    EXPECT_EQ(hostServices.itemInfo, static_cast<void *>(&otherRecords[0]));
    EXPECT_EQ(hostServices.objectInfo, static_cast<void *>(&otherRecords[1]));
    EXPECT_EQ(hostServices.sceneObjects, nullptr);
    EXPECT_EQ(hostServices.surfaceFuncs, static_cast<void *>(&otherRecords[3]));
}

TEST_F(Activation, InterfaceBeforeAnyHandlerActivationShowsNothing) {
    ShaderInterfaceRecord record(nullptr);
    EXPECT_EQ(ActivateInterface(4, host.global(), &record.ui, nullptr), AFUNC_OK);
    EXPECT_TRUE(host.requests().empty());
    EXPECT_EQ(record.ui.panel, nullptr);
    EXPECT_EQ(record.ui.options, nullptr);
}

}  // namespace
