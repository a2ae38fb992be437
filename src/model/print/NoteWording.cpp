#include "model/print/NoteWording.h"

namespace print::wording {

const QStringList& agreementParagraph1()
{
    static const QStringList lines = {
        QStringLiteral("1. I, the borrower, promise to pay TLY the total of payments shown"),
        QStringLiteral("above in the installments of the payment schedule. As security, I"),
        QStringLiteral("assign to TLY all unearned premiums and dividends of the policies"),
        QStringLiteral("listed. I remain liable for any balance that the unearned premiums"),
        QStringLiteral("do not cover, including an amount left unpaid because an insurance"),
        QStringLiteral("company becomes insolvent or fails to return unearned premium."),
    };
    return lines;
}

const QStringList& agreementParagraph2()
{
    static const QStringList lines = {
        QStringLiteral("2. If I default, I appoint TLY my attorney in fact with full power to"),
        QStringLiteral("cancel the financed policies, to receive all unearned premiums and"),
        QStringLiteral("other sums assigned above, and to sign and send in my name any"),
        QStringLiteral("notice or paper needed to do so. If a payment reaches TLY late,"),
        QStringLiteral("TLY may accept it but has no duty to ask an insurance company to"),
        QStringLiteral("reinstate a policy, and a policy cancelled for my default stays"),
        QStringLiteral("cancelled unless the insurance company reinstates it."),
    };
    return lines;
}

const QStringList& agreementParagraph3()
{
    static const QStringList lines = {
        QStringLiteral("3. The finance charge begins to accrue on the inception date of the"),
        QStringLiteral("earliest policy listed. If I pay this note in full before it is due,"),
        QStringLiteral("I will receive a refund of the unearned part of the finance charge."),
        QStringLiteral("If a policy is cancelled, the finance charge is recomputed as of the"),
        QStringLiteral("cancellation date, and interest runs on any unpaid balance at the"),
        QStringLiteral("rate of this note until that balance is paid in full."),
    };
    return lines;
}

const QStringList& agreementParagraph4()
{
    static const QStringList lines = {
        QStringLiteral("4. Any partial pre-payment of this note, and any return premium"),
        QStringLiteral("that TLY receives, is applied to the unpaid balance and does not"),
        QStringLiteral("defer the installments that follow; TLY may pro-rate the amount"),
        QStringLiteral("of those left. If an insurance company charges additional premium"),
        QStringLiteral("on a financed policy, I will pay that premium in full to my agent"),
        QStringLiteral("or finance it with TLY under a new note, with any additional down"),
        QStringLiteral("payment required, within ten days after I am told of the charge."),
        QStringLiteral("If I do neither within ten days, TLY may cancel the policy as if I"),
        QStringLiteral("had defaulted on this note. Any return premium is then applied to"),
        QStringLiteral("what I owe, and I remain liable for the balance that is left after"),
        QStringLiteral("it is applied."),
    };
    return lines;
}

const QStringList& agreementParagraph5()
{
    static const QStringList lines = {
        QStringLiteral("5. I agree that when an installment is ten or more days late, I will"),
        QStringLiteral("pay a late charge of 5% of that installment. I will also pay a"),
        QStringLiteral("charge of $10 when TLY sends a notice of cancellation or a request"),
        QStringLiteral("for reinstatement of a policy, and a charge of $30 for any check"),
        QStringLiteral("that is returned unpaid. The reasonable costs of collecting this"),
        QStringLiteral("note, as far as the law allows, may be deducted from any premium"),
        QStringLiteral("that TLY collects from an insurance company under this note, and"),
        QStringLiteral("I will pay any part of those costs that the premium collected does"),
        QStringLiteral("not cover."),
    };
    return lines;
}

const QStringList& agentStatementPage1()
{
    static const QStringList lines = {
        QStringLiteral("AGENT'S STATEMENT: This note is non-recourse to the agent,"),
        QStringLiteral("subject to the agent's statement and conditions on page 2 of this"),
        QStringLiteral("note, which the agent accepts by signing below."),
    };
    return lines;
}

const QList<QStringList>& instructionBlocks()
{
    static const QList<QStringList> blocks = {
        {
            QStringLiteral("MAKE COPY(S) FOR (1) AGENCY FILE, (2) INSURED."),
            QStringLiteral("Send the signed original to TLY. TLY mails the insured a copy"),
            QStringLiteral("of the note together with the payment coupon book."),
        },
        {
            QStringLiteral("FOLLOW   INSTRUCTIONS  BELOW  IF  NOT  PREPARED   ON  YOUR"),
            QStringLiteral("COMPUTER:"),
        },
        {
            QStringLiteral("INSTRUCTIONS FOR MANUAL PREPARATION:"),
        },
        {
            QStringLiteral("A.  MULTIPLY the annual premium, without fees and tax, by 75%"),
            QStringLiteral("to find the AMOUNT FINANCED. Use 70% instead for worker's"),
            QStringLiteral("compensation, for policies with filings and for policies that"),
            QStringLiteral("require more than 20 days' notice to cancel."),
        },
        {
            QStringLiteral("B.  MULTIPLY the amount financed by 5% and add $20 to find the"),
            QStringLiteral("FINANCE CHARGE."),
        },
        {
            QStringLiteral("->CALL OUR OFFICE FOR QUOTES OVER $10,000."),
        },
        {
            QStringLiteral("->LOWER DOWN PAYMENTS ARE AVAILABLE..."),
            QStringLiteral("Call our office to customize or help fill out this agreement."),
        },
        {
            QStringLiteral("C.  ADD the finance charge to the amount financed to find the"),
            QStringLiteral("TOTAL OF PAYMENTS."),
        },
        {
            QStringLiteral("*APR, The Annual Percentage Rate is optional commercial accounts."),
        },
        {
            QStringLiteral(">    The  Number  of  Payments suggested and pre-printed is 8."),
            QStringLiteral("Call our office for any other payment schedule, or for policy"),
            QStringLiteral("periods other than one year."),
        },
        {
            QStringLiteral(">    Divide the total of payments by the number of payments to"),
            QStringLiteral("find the AMOUNT OF EACH INSTALLMENT."),
        },
        {
            QStringLiteral(">    The first installment is due no later than 30 days (15 days"),
            QStringLiteral("on worker's compensation) after the earliest policy inception."),
        },
        {
            QStringLiteral(">    Fill  in the schedule of policies completely, listing every"),
            QStringLiteral("policy and every tax, fee and other charge in its section. The"),
            QStringLiteral("agent reports any change in premium to TLY in writing within"),
            QStringLiteral("30 days. When an endorsement is expected, estimate its premium"),
            QStringLiteral("and include it in the schedule, so that the note covers the"),
            QStringLiteral("full amount to be financed."),
        },
        {
            QStringLiteral(">   The  grand  total of premiums, fees, etc. less the amount"),
            QStringLiteral("financed is the DOWN PAYMENT. Lower down payments may be"),
            QStringLiteral("accepted under special considerations; call our office."),
        },
        {
            QStringLiteral("CUSTOM financing:"),
            QStringLiteral("Endorsements that add premium after the note is signed may be"),
            QStringLiteral("financed under a new or amended note. Call our office before"),
            QStringLiteral("ordering an endorsement on a financed policy; otherwise the"),
            QStringLiteral("agent collects the additional premium in full from the insured."),
            QStringLiteral("Custom schedules and terms are arranged by calling our office."),
        },
        {
            QStringLiteral("SPECIAL INSTRUCTIONS FOR ASSIGNED RISK POLICIES:"),
            QStringLiteral("TLY pays the full premium of an assigned risk policy directly"),
            QStringLiteral("to the plan or to the assigned company. The agent sends TLY the"),
            QStringLiteral("insured's down payment together with the signed note and the"),
            QStringLiteral("application and keeps no part of it. Checks that the insured"),
            QStringLiteral("signs in advance for the plan are made payable as the plan"),
            QStringLiteral("requires and are sent to TLY with the note; TLY forwards them"),
            QStringLiteral("with its own payment of the premium."),
        },
    };
    return blocks;
}

const QStringList& agentStatementOpening()
{
    static const QStringList lines = {
        QStringLiteral("AGENT\u2019S STATEMENT:  This  note  shall  be  NON-RECOURSE  to  the"),
        QStringLiteral("agent subject to the following:"),
    };
    return lines;
}

const QList<QStringList>& agentStatementItems()
{
    static const QList<QStringList> items = {
        {
            QStringLiteral("1.  DESCRIPTION  AND  DOWN PAYMENT:"),
            QStringLiteral("The agent warrants that the policies listed in the schedule are"),
            QStringLiteral("described completely and correctly, have been or will be validly"),
            QStringLiteral("issued by the companies shown and are in force on the dates"),
            QStringLiteral("shown. The agent has collected from the insured a down payment"),
            QStringLiteral("of at least 25% of the premium, or 30% on worker's compensation,"),
            QStringLiteral("policies with filings and the other classes that need longer"),
            QStringLiteral("notice to cancel."),
        },
        {
            QStringLiteral("2.    BONDS,    FEES,    COMMISSIONS,   OLD    BALANCES,   FULLY"),
            QStringLiteral("EARNED PREMIUMS and similar items that cannot be returned are"),
            QStringLiteral("collected from the insured in full, in addition to the normal"),
            QStringLiteral("down payment."),
        },
        {
            QStringLiteral("3.    ADDITIONAL    PREMIUM    ENDORSEMENTS;    INCREASED"),
            QStringLiteral("PREMIUMS: The agent reports to TLY in writing within 30 days any"),
            QStringLiteral("endorsement, audit or other change that adds premium to a"),
            QStringLiteral("financed policy. Additional premium that TLY does not finance is"),
            QStringLiteral("collected from the insured by the agent and paid to the"),
            QStringLiteral("insurance company."),
        },
        {
            QStringLiteral("4. RETURN  PREMIUM  ENDORSEMENTS:"),
            QStringLiteral("Return premium on a financed policy, whether from an"),
            QStringLiteral("endorsement, an audit or a cancellation, is paid to TLY and not"),
            QStringLiteral("to the insured. The agent promptly sends TLY any return premium"),
            QStringLiteral("or unearned commission that reaches the agent. TLY applies it"),
            QStringLiteral("to the unpaid balance and pro-rates the remaining"),
            QStringLiteral("installments."),
        },
        {
            QStringLiteral("5.    CANCELLATIONS:"),
            QStringLiteral("The agent sends TLY a copy of every cancellation that the agent"),
            QStringLiteral("orders on a financed policy, at the time it is ordered."),
        },
        {
            QStringLiteral("6.  SPECIAL CONSIDERATIONS; NOTWITHSTANDING,  it  is  agreed:"),
        },
    };
    return items;
}

} // namespace print::wording
