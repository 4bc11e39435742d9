//
// created by NOVRA
//	macro    : joints_sim
//	function : simulasion module
//	update   : @TIME@
//

`timescale 1ps/1ps

module joints_sim;
	reg	swu_1, uadd_1;
	reg	swu_2, uadd_2;
	reg	swu_3, uadd_3;
	reg	swu_10, uadd_10;
	reg	swk_16;
	reg	swk_17;
	reg reset;

	uhzi	uhzi_1(
		.data_out(u_1_d),
		.req_out(u_1__r),
		.ack_in(u_1_a),
		.switch(swu_1),
		.adding(uadd_1),
		.reset(reset)
	);

	uhzi	uhzi_2(
		.data_out(u_2_d),
		.req_out(u_2__r),
		.ack_in(u_2_a),
		.switch(swu_2),
		.adding(uadd_2),
		.reset(reset)
	);

	uhzi	uhzi_3(
		.data_out(u_3_d),
		.req_out(u_3__r),
		.ack_in(u_3_a),
		.switch(swu_3),
		.adding(uadd_3),
		.reset(reset)
	);

	uhzi	uhzi_10(
		.data_out(u_10_d),
		.req_out(u_10__r),
		.ack_in(u_10_a),
		.switch(swu_10),
		.adding(uadd_10),
		.reset(reset)
	);

	kemmakix	kem_16(
		.data_in(k_16_d),
		.req_in(k_16__r),
		.ack_out(k_16_a),
		.switch(swk_16),
		.reset(reset)
	);

	kemmakix	kem_17(
		.data_in(k_17_d),
		.req_in(k_17__r),
		.ack_out(k_17_a),
		.switch(swk_17),
		.reset(reset)
	);

	joints	joints_top(
		.i_1__r_i(u_1__r), .i_1_a_o(u_1_a), .i_1_d_i(u_1_d),
		.i_2__r_i(u_2__r), .i_2_a_o(u_2_a), .i_2_d_i(u_2_d),
		.i_3__r_i(u_3__r), .i_3_a_o(u_3_a), .i_3_d_i(u_3_d),
		.i_4__r_i(u_10__r), .i_4_a_o(u_10_a), .i_4_d_i(u_10_d),
		.o_1__r_o(k_16__r), .o_1_a_i(k_16_a), .o_1_d_o(k_16_d),
		.o_2__r_o(k_17__r), .o_2_a_i(k_17_a), .o_2_d_o(k_17_d),
		.debug_select(debug_select),
		.reset(reset)
	);

	initial begin
	#0
		swu_1 <= 0;
		uadd_1 <= 1;
		swu_2 <= 0;
		uadd_2 <= 1;
		swu_3 <= 0;
		uadd_3 <= 1;
		swu_10 <= 0;
		uadd_10 <= 0;
		swk_16 <= 0;
		swk_17 <= 0;
		reset <= 1;
		$readmemb("udata1.txt",uhzi_1.mem);
		$readmemb("udata2.txt",uhzi_2.mem);
		$readmemb("udata3.txt",uhzi_3.mem);
		$readmemb("udata10.txt",uhzi_10.mem);
	#100
		reset <= 0;
	#2460
		reset <= 1;
	#100
		swu_1 <= 1;
		swu_2 <= 1;
		swu_3 <= 1;
		swu_10 <= 1;
		swk_16 <= 1;
		swk_17 <= 1;
	#100000000
		swu_1 = 0;
		swu_2 = 0;
		swu_3 = 0;
		swu_10 = 0;
		$writememb("kdata16.txt",kem_16.mem);
	#10
		$shm_close();
		$finish;
	end

	initial begin
		$shm_open("joints_sim.shm");
		$shm_probe("A");
		$shm_probe(joints_top, "A");
	end


	//	SELECT MODULE DEBUG
	always @(posedge debug_select) begin
		$display($time,,," select ERROR !!\n\n");
	end
endmodule
